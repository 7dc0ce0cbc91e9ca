// Turning an entry name from the archive into a path below the destination.
// Names are read as code page 932 (a trail byte 0x5C is no separator) unless
// the entry is flagged as UTF-8, where no byte pairs up.
#pragma once
#include <string>

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

struct RelativePath {
    std::string path; // components joined with kPathSeparator
    bool isDirectory; // the name ended with a separator
};

// False for a name that could reach outside the destination or that the file
// system could read otherwise than this check: empty names, absolute names
// (a leading '/' or '\'), any ':' (drive letters, streams), a component made
// only of dots and blanks other than ".", control characters, and a lead byte
// without a valid trail byte. Both '/' and '\' separate components; empty and
// "." components are dropped.
bool MakeRelativePath(const std::string& name, bool utf8, RelativePath& result);

// Whether the text ends with a separator, read as code page 932.
bool EndsWithSeparator(const std::string& text);
