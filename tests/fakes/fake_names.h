// Win32 file-name comparison as the fakes need it: ASCII letters match
// regardless of case, but never the trail byte of a code page 932 double-byte
// character, which is data (0x83 0x41 and 0x83 0x61 are different characters).
#pragma once
#include <cstddef>
#include <string>

// Bytes taken by the character that starts at index i: 2 for a lead byte
// followed by another byte, else 1.
std::size_t CharWidth(const std::string& text, std::size_t i);

// The name with its single-byte upper-case letters lowered.
std::string FoldCase(const std::string& name);

// The comparison key of a path: case folded, and runs of backslashes after
// the first byte collapsed to one, as Win32 path parsing does ("D:\dl\\kv"
// names "D:\dl\kv"); a leading "\\" of a UNC path is kept.
std::string PathKey(const std::string& path);

// Win32 wildcard match of one path component, both arguments case folded:
// '*' matches any run of characters (none, and dots too), '?' exactly one
// character (a double-byte character counts as one).
bool MatchesWildcard(const std::string& pattern, const std::string& name);

// Index of the last backslash that is not a trail byte, or npos.
std::size_t LastSeparator(const std::string& path);
