// Polling with a deadline: every wait of the driver ends, in time or not.
#pragma once
#include <windows.h>

// Checks condition every pollMs until it holds or timeoutMs have passed.
template <class Condition> bool WaitUntil(Condition condition, DWORD timeoutMs, DWORD pollMs = 20) {
    for (const ULONGLONG deadline = ::GetTickCount64() + timeoutMs; !condition(); ::Sleep(pollMs))
        if (::GetTickCount64() >= deadline)
            return false;
    return true;
}

// Generous, as programs may run emulated; the last is how long something that
// must not happen is watched for.
constexpr DWORD kWindowTimeoutMs = 30000, kExitTimeoutMs = 30000, kQuietPeriodMs = 1500;
