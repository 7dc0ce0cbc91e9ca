// The shell's folder picker for the settings dialog's browse buttons.
#pragma once
#include <windows.h>

// Shows the picker over the whole shell namespace, modal to owner, with the
// folder that buffer (260 bytes, in and out) names preselected. 1 when a folder
// with a file-system path was chosen: buffer then holds it without a trailing
// backslash (a drive root as D:). 0 otherwise, and buffer is not to be used.
int BrowseForFolder(char* buffer, HWND owner);
