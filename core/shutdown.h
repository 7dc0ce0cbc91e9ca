// Closing a running Kolva View: its top-level windows are those whose title
// ends with " - kv" and is longer than that suffix.
#pragma once
#include "platform.h"

constexpr int kMaxClosePolls = 20;
constexpr std::uint32_t kClosePollIntervalMs = 500;

// Enumeration callbacks; the context is the CPlatform that reads window titles.
bool CloseAppWindowProc(WindowHandle window, void* context);
bool FindAppWindowProc(WindowHandle window, void* context);

bool CloseRunningApp(CPlatform& platform);
