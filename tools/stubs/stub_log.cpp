#include "stub_log.h"
#include <windows.h>
#include <cstdio>

bool ReadEnvironment(const char* name, char* buffer, unsigned long capacity) {
    DWORD length = GetEnvironmentVariableA(name, buffer, capacity);
    return length > 0 && length < capacity;
}

void AppendToLog(const char* variable, const std::string& text) {
    char path[MAX_PATH];
    if (!ReadEnvironment(variable, path, sizeof path))
        return;
    std::FILE* file = std::fopen(path, "ab");
    if (file == nullptr)
        return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

std::string LogLine(const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\n";
}

std::string LogLine(const char* key, long value) {
    return LogLine(key, std::to_string(value));
}
