// Polling with a deadline: every wait of the driver ends, in time or not.
#pragma once
#include <windows.h>

// Checks condition every pollMs until it holds or timeoutMs have passed.
template <class Condition> bool WaitUntil(Condition condition, DWORD timeoutMs, DWORD pollMs = 20) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(pollMs);
    }
    return true;
}

// Generous: every Windows program may run emulated.
constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 30000;
// How long something that must not happen is watched for.
constexpr DWORD kQuietPeriodMs = 1500;
