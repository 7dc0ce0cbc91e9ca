#include "unzip_command.h"
#include <cstring>

namespace {

// Reads one part at text and moves text past it and past the blank after it.
bool NextPart(const char*& text, std::string& part) {
    part.clear();
    if (*text == '"') {
        const char* close = std::strchr(text + 1, '"');
        if (close == nullptr)
            return false;
        part.assign(text + 1, close);
        text = close + 1;
    } else {
        const char* end = text + std::strcspn(text, " \"");
        part.assign(text, end);
        text = end;
    }
    if (*text == ' ') {
        ++text;
        return *text != '\0' && !part.empty(); // a blank must lead to another part
    }
    return *text == '\0' && !part.empty();
}

} // namespace

bool ParseUnzipCommand(const char* commandLine, UnzipCommand& command) {
    std::string parts[4];
    const char* text = commandLine;
    for (std::string& part : parts) {
        if (*text == '\0' || !NextPart(text, part))
            return false;
    }
    if (*text != '\0' || parts[0] != "-x" || parts[1] != "-o")
        return false;
    command.archive = parts[2];
    command.destination = parts[3];
    return true;
}
