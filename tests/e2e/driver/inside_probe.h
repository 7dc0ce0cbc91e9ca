// Facts of another process's window read inside that process (see
// inside_probe_protocol.h).
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct MenuEntry {
    UINT id;
    bool separator;
    std::string text;
};

struct InsideFacts {
    bool hasBigIcon = false;
    bool hasSmallIcon = false;
    std::vector<MenuEntry> systemMenu; // in menu order
};

// Reads the facts of window in its thread threadId through the probe DLL
// beside the test program; the probe's file goes to outputPath. False when
// the probe could not be installed or gave no answer within timeoutMs.
bool ReadInsideFacts(HWND window, DWORD threadId, const std::string& outputPath, InsideFacts& facts,
                     DWORD timeoutMs);
