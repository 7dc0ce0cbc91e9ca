// INI file text as GetPrivateProfileStringA and WritePrivateProfileStringA see
// it. Section and key names match regardless of case; the first matching
// section and, in it, the first matching key count. A section runs from its
// "[name]" line to the next one; lines before the first section and lines
// without '=' belong to no key. Lines end with CRLF or LF; lines written anew
// end with CRLF.
#pragma once
#include <string>

// The key's value without the blanks (spaces, tabs) around it and without one
// pair of matching '...' or "..." quotes enclosing it; false when the section
// or the key is missing.
bool ReadProfileValue(const std::string& text, const std::string& section, const std::string& key,
                      std::string& value);

// The text after writing key=value: an existing key line is replaced in place
// (keeping the key's spelling in the file), a new key goes after the last
// non-blank line of its section, and a missing section is added at the end of
// the file.
std::string WriteProfileValue(const std::string& text, const std::string& section,
                              const std::string& key, const std::string& value);
