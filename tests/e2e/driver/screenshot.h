// Screenshots for people to look at: the screen area of a window (or the
// whole screen) as a 24-bit BMP file.
#pragma once
#include <windows.h>
#include <string>

// Saves what the screen shows of window (nullptr: the whole screen) into
// folder\name.bmp, creating folder. False when nothing could be saved.
bool SaveScreenshot(HWND window, const std::string& folder, const std::string& name);
