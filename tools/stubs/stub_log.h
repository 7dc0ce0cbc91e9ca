// Records of the test stand-ins: each record is lines of key=value followed by
// an empty line, appended to the file that an environment variable names.
// Several stand-ins may share one file; their records then come in the order
// the events happened.
#pragma once
#include <string>

// The variable's value, or false when it is unset or longer than capacity - 1.
bool ReadEnvironment(const char* name, char* buffer, unsigned long capacity);

// Appends text as it stands to the file named by the variable, if set.
void AppendToLog(const char* variable, const std::string& text);

// "key=value\n"
std::string LogLine(const char* key, const std::string& value);
std::string LogLine(const char* key, long value);
