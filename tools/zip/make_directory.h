// Folder creation, the one file-system call that differs between Windows and POSIX.
#pragma once
#include <string>

// True when the folder was created or already is a folder.
bool MakeDirectory(const std::string& path);
