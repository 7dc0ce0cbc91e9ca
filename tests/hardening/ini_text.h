// Reading an INI file's bytes the way the profile functions see them, as the
// tests' own judge of what is on disk: lines end with CR LF, LF or CR; a line
// that begins with '[' opens a section; "key=value" lines belong to the last
// section opened; names match regardless of ASCII case; blanks around names
// and values do not count.
#pragma once
#include <map>
#include <string>
#include <utility>

struct IniEntries {
    // (lower-case section, lower-case key) -> value of the first such line.
    std::map<std::pair<std::string, std::string>, std::string> values;
    // (lower-case section, lower-case key) -> number of such lines.
    std::map<std::pair<std::string, std::string>, int> counts;

    bool Has(const std::string& section, const std::string& key) const;
    std::string Value(const std::string& section, const std::string& key) const;
    int Count(const std::string& section, const std::string& key) const;
};

IniEntries ParseIni(const std::string& bytes);
