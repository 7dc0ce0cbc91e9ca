#include "ini_text.h"
#include <cctype>

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Trim(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

} // namespace

IniEntries ParseIni(const std::string& bytes) {
    IniEntries entries;
    std::string section;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = Trim(bytes.substr(at, end - at));
        at = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (line.empty())
            continue;
        if (line[0] == '[') {
            std::size_t close = line.find(']');
            section = Lower(
                Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const auto name = std::make_pair(section, Lower(Trim(line.substr(0, equals))));
        if (++entries.counts[name] == 1)
            entries.values[name] = Trim(line.substr(equals + 1));
    }
    return entries;
}

bool IniEntries::Has(const std::string& section, const std::string& key) const {
    return values.count({Lower(section), Lower(key)}) != 0;
}

std::string IniEntries::Value(const std::string& section, const std::string& key) const {
    auto found = values.find({Lower(section), Lower(key)});
    return found == values.end() ? "<absent>" : found->second;
}

int IniEntries::Count(const std::string& section, const std::string& key) const {
    auto found = counts.find({Lower(section), Lower(key)});
    return found == counts.end() ? 0 : found->second;
}
