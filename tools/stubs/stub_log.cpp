#include "stub_log.h"
#include <windows.h>

bool ReadEnvironment(const char* name, char* buffer, unsigned long capacity) {
    DWORD length = GetEnvironmentVariableA(name, buffer, capacity);
    return length > 0 && length < capacity;
}

// FILE_APPEND_DATA alone puts every write at the end of the file, so that the
// records of processes writing at the same moment never overwrite each other
// (the C runtime's append mode seeks to the end first, which two can do at once).
void AppendToLog(const char* variable, const std::string& text) {
    char path[MAX_PATH];
    if (!ReadEnvironment(variable, path, sizeof path))
        return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string LogLine(const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\n";
}

std::string LogLine(const char* key, long value) {
    return LogLine(key, std::to_string(value));
}
