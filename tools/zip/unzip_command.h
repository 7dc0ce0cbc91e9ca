// The one command line the unzip stand-in understands, as the installer
// builds it: "-x -o <archive> <destination>", single blanks between the
// parts, each path either bare (no blank, no quote) or enclosed in double
// quotes. Inside quotes every byte up to the next quote belongs to the path,
// so a quoted destination may end with a backslash right before the quote.
#pragma once
#include <string>

struct UnzipCommand {
    std::string archive;
    std::string destination;
};

bool ParseUnzipCommand(const char* commandLine, UnzipCommand& command);
