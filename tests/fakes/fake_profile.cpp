#include "fake_profile.h"
#include "fake_names.h"
#include <vector>

namespace {

struct Line {
    std::size_t begin; // first byte
    std::size_t end;   // one past the last byte, line ending excluded
    std::size_t next;  // first byte of the next line
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t newline = text.find('\n', begin);
        std::size_t next = newline == std::string::npos ? text.size() : newline + 1;
        std::size_t end = newline == std::string::npos ? text.size() : newline;
        if (end > begin && text[end - 1] == '\r')
            --end;
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string LineText(const std::string& text, const Line& line) {
    return text.substr(line.begin, line.end - line.begin);
}

// The section name of a "[name]" line; false for other lines.
bool SectionName(const std::string& line, std::string& name) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] != '[')
        return false;
    name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
    return true;
}

// Key and raw value of a "key=value" line; false for lines without '='.
bool KeyAndValue(const std::string& line, std::string& key, std::string& value) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    key = Trim(line.substr(0, equals));
    value = line.substr(equals + 1);
    return true;
}

// Where a section's lines are: its header's index and one past its last line.
struct SectionRange {
    std::size_t header;
    std::size_t end;
};

bool FindSection(const std::string& text, const std::vector<Line>& lines,
                 const std::string& section, SectionRange& range) {
    const std::string wanted = FoldCase(section);
    std::string name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!SectionName(LineText(text, lines[i]), name) || FoldCase(name) != wanted)
            continue;
        range = {i, i + 1};
        while (range.end < lines.size() && !SectionName(LineText(text, lines[range.end]), name))
            ++range.end;
        return true;
    }
    return false;
}

// Index of the key's line in the section, or the section's end when absent.
std::size_t FindKey(const std::string& text, const std::vector<Line>& lines,
                    const SectionRange& range, const std::string& key) {
    const std::string wanted = FoldCase(key);
    std::string name, value;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (KeyAndValue(LineText(text, lines[i]), name, value) && FoldCase(name) == wanted)
            return i;
    }
    return range.end;
}

} // namespace

bool ReadProfileValue(const std::string& text, const std::string& section, const std::string& key,
                      std::string& value) {
    const std::vector<Line> lines = SplitLines(text);
    SectionRange range;
    if (!FindSection(text, lines, section, range))
        return false;
    const std::size_t index = FindKey(text, lines, range, key);
    if (index == range.end)
        return false;
    std::string name;
    KeyAndValue(LineText(text, lines[index]), name, value);
    value = Trim(value);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return true;
}

std::string WriteProfileValue(const std::string& text, const std::string& section,
                              const std::string& key, const std::string& value) {
    const std::vector<Line> lines = SplitLines(text);
    SectionRange range;
    if (!FindSection(text, lines, section, range)) {
        const bool needsNewline = !text.empty() && text.back() != '\n';
        return text + (needsNewline ? "\r\n" : "") + "[" + section + "]\r\n" + key + "=" + value +
               "\r\n";
    }
    const std::size_t index = FindKey(text, lines, range, key);
    std::string result = text;
    if (index != range.end) {
        std::string name, oldValue;
        KeyAndValue(LineText(text, lines[index]), name, oldValue);
        const Line& line = lines[index];
        return result.replace(line.begin, line.end - line.begin, name + "=" + value);
    }
    std::size_t last = range.end - 1;
    while (last > range.header && Trim(LineText(text, lines[last])).empty())
        --last;
    const Line& line = lines[last];
    const bool needsNewline = line.next == line.end; // the file's last line had no line ending
    return result.insert(line.next, (needsNewline ? "\r\n" : "") + key + "=" + value + "\r\n");
}
