// Polling with a deadline: every wait of the driver ends, in time or not.
#pragma once
#include <windows.h>

// Checks condition every pollMs until it holds or timeoutMs have passed;
// returns whether it held.
template <class Condition> bool WaitUntil(Condition condition, DWORD timeoutMs, DWORD pollMs = 20) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(pollMs);
    }
}

// Time limits, generous because every Windows program runs emulated here.
constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 30000;
// How long a window is watched for something that must not happen.
constexpr DWORD kQuietPeriodMs = 1500;
