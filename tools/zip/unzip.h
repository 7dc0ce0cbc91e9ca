// Unpacking a ZIP archive into a folder, as the unzip stand-in does it.
#pragma once
#include <string>

// Results; 0 is the only success.
enum UnzipResult : int {
    kUnzipOk = 0,
    kUnzipBadCommand = 1,        // not "-x -o <archive> <destination>"
    kUnzipArchiveUnreadable = 2, // missing, unreadable or too large
    kUnzipCorrupt = 3,           // broken structure, sizes or CRC
    kUnzipUnsupported = 4,       // ZIP64, several disks, encryption, other methods
    kUnzipUnsafeName = 5,        // an entry name that could leave the destination
    kUnzipWriteFailed = 6,       // a folder or file could not be made
    kUnzipOutOfMemory = 7,
};

// Every entry is checked before anything is written: a name that could leave
// the destination, an undecodable entry or a broken header writes nothing.
// Then the destination folder is made when missing (its parent must exist),
// and the entries are written in directory order, creating the folders on
// their way and replacing existing files. Stops at the first entry that fails.
int UnzipToFolder(const std::string& archivePath, const std::string& destination);

// Parses the command line and unpacks. Throws nothing: it is called across a DLL boundary.
int RunUnzipCommand(const char* commandLine);
