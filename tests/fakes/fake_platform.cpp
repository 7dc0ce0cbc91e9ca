#include "fake_platform.h"
#include <algorithm>
#include <ctime>
#include <sstream>

namespace {

bool Matches(const char* pattern, const char* name) { // '*': any run of bytes, also none
    if (*pattern == '*')
        return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    return *pattern == *name && (*name == '\0' || Matches(pattern + 1, name + 1));
}
std::string Trim(const std::string& text) {
    const std::size_t first = std::min(text.find_first_not_of(" \t\r"), text.size());
    return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
}

} // namespace

// Blanks and one pair of quotes around a value are not part of it. A value cut inside a
// double-byte character leaves that character's bytes unwritten but counted, as Wine does.
std::uint32_t CFakePlatform::GetPrivateProfileStringA(const char* section, const char* key,
                                                      const char* defaultValue, char* buffer,
                                                      std::uint32_t size, const char* fileName) {
    std::string text, value = defaultValue ? defaultValue : "";
    for (const FakeEntry& file : files)
        text = Fold(file.path) == Fold(fileName) ? file.content : text;
    std::istringstream lines(text);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line);
        const std::size_t equals = line.find('=');
        if (line[0] == '[')
            inSection = Fold(Trim(line.substr(1, line.find(']') - 1))) == Fold(section);
        else if (inSection && equals != std::string::npos &&
                 Fold(Trim(line.substr(0, equals))) == Fold(key)) {
            value = Trim(line.substr(equals + 1));
            if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
                value.back() == value[0])
                value = value.substr(1, value.size() - 2);
            break;
        }
    }
    for (std::size_t i = 0, width; i < value.size(); i += width) {
        width = IsCp932LeadByte(value[i]) && i + 1 < value.size() ? 2 : 1;
        if (i + width > size - 1)
            break;
        std::memcpy(buffer + i, value.data() + i, width);
    }
    const std::size_t length = std::min<std::size_t>(value.size(), size - 1);
    buffer[length] = '\0';
    return static_cast<std::uint32_t>(length);
}
// The listing is taken whole when it starts.
FindHandle CFakePlatform::FindFirstFileA(const char* pattern, FindData* data) {
    log.push_back(std::string("find ") + pattern);
    const std::string folded = Fold(pattern);
    const std::size_t start = folded.rfind('\\') + 1; // of the name
    for (const FakeEntry& entry : files) {
        const std::string path = Fold(entry.path);
        if (path.rfind('\\') + 1 != start || path.compare(0, start, folded, 0, start) != 0 ||
            !Matches(folded.c_str() + start, path.c_str() + start))
            continue;
        FindData found{};
        found.dwFileAttributes = entry.attributes;
        found.ftLastWriteTime = entry.lastWrite;
        entry.path.copy(found.cFileName, sizeof found.cFileName - 1, start);
        m_listing.push_back(found);
    }
    const bool listed = FindNextFileA(1, data);
    openListings += listed;
    return listed ? 1 : kInvalidFindHandle;
}
// Local time is Japan's, nine hours ahead of UTC.
bool CFakePlatform::FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) {
    const std::uint64_t ticks =
        (std::uint64_t{utc->dwHighDateTime} << 32 | utc->dwLowDateTime) + 9 * 3600 * 10000000ULL;
    *local = {static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    return true;
}
bool CFakePlatform::FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) {
    const std::uint64_t ticks = std::uint64_t{time->dwHighDateTime} << 32 | time->dwLowDateTime;
    const std::time_t seconds = static_cast<std::time_t>(ticks / 10000000) - 11644473600;
    const std::tm& t = *std::gmtime(&seconds);
    const auto u = [](std::uint64_t value) { return static_cast<std::uint16_t>(value); };
    *systemTime = {u(t.tm_year + 1900), u(t.tm_mon + 1), u(t.tm_wday), u(t.tm_mday),
                   u(t.tm_hour),        u(t.tm_min),     u(t.tm_sec),  u(ticks % 10000000 / 10000)};
    return true;
}
