#include "fake_platform.h"
#include <cstring>
#include <ctime>

namespace {

const std::size_t npos = std::string::npos;

// Names match regardless of the case of single-byte letters.
std::string Fold(std::string text) {
    for (std::size_t i = 0; i < text.size(); i += IsCp932LeadByte(text[i]) ? 2 : 1)
        text[i] = static_cast<char>(text[i] >= 'A' && text[i] <= 'Z' ? text[i] + 32 : text[i]);
    return text;
}

bool Matches(const char* pattern, const char* name) {
    if (*pattern == '*')
        return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    if (*pattern == '\0' || *name == '\0')
        return *pattern == *name;
    return (*pattern == '?' || *pattern == *name) && Matches(pattern + 1, name + 1);
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A key's line in the first section of that name, or where a new key goes:
// after the section's last non-blank line.
struct IniSpot {
    bool section = false, key = false;
    std::size_t begin = 0, end = 0, insertAt = 0;
    std::string name, value;
};

IniSpot FindKey(const std::string& text, const std::string& section, const std::string& key) {
    IniSpot spot;
    for (std::size_t begin = 0, next; begin < text.size(); begin = next) {
        const std::size_t newline = text.find('\n', begin);
        next = newline == npos ? text.size() : newline + 1;
        std::size_t end = newline == npos ? text.size() : newline;
        end -= end > begin && text[end - 1] == '\r';
        const std::string line = Trim(text.substr(begin, end - begin));
        const std::size_t equals = line.find('=');
        if (!line.empty() && line[0] == '[') {
            if (spot.section)
                break;
            spot.section = Fold(Trim(line.substr(1, line.find(']') - 1))) == Fold(section);
            spot.insertAt = next;
        } else if (spot.section && !line.empty()) {
            spot.insertAt = next;
            if (!spot.key && equals != npos && Fold(Trim(line.substr(0, equals))) == Fold(key))
                spot = {true,
                        true,
                        begin,
                        end,
                        next,
                        Trim(line.substr(0, equals)),
                        Trim(line.substr(equals + 1))};
        }
    }
    return spot;
}

} // namespace

void CFakeFiles::AddFile(const std::string& path, const std::string& content, FileTime lastWrite,
                         std::uint32_t attributes) {
    entries.push_back({path, attributes, lastWrite, content});
}

FakeEntry* CFakeFiles::Find(const std::string& path) {
    for (FakeEntry& entry : entries) {
        if (Fold(entry.path) == Fold(path))
            return &entry;
    }
    return nullptr;
}

// Vista's semantics: a path that does not fit is cut and the full size returned.
std::uint32_t CFakePlatform::GetModuleFileNameA(char* buffer, std::uint32_t size) {
    buffer[modulePath.copy(buffer, size - 1)] = '\0';
    return modulePath.size() < size ? static_cast<std::uint32_t>(modulePath.size()) : size;
}

// A value cut inside a double-byte character leaves that character's bytes
// unwritten but counted, as Wine does.
std::uint32_t CFakePlatform::GetPrivateProfileStringA(const char* section, const char* key,
                                                      const char* defaultValue, char* buffer,
                                                      std::uint32_t size, const char* fileName) {
    const FakeEntry* file = files.Find(fileName);
    IniSpot spot = file == nullptr ? IniSpot() : FindKey(file->content, section, key);
    std::string value = spot.value;
    if (!spot.key) {
        value = defaultValue == nullptr ? "" : defaultValue;
        value.erase(value.find_last_not_of(' ') + 1);
    } else if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
               value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    for (std::size_t i = 0, width; i < value.size(); i += width) {
        width = IsCp932LeadByte(value[i]) && i + 1 < value.size() ? 2 : 1;
        if (i + width > size - 1)
            break;
        std::memcpy(buffer + i, value.data() + i, width);
    }
    const std::size_t length = value.size() < size - 1 ? value.size() : size - 1;
    buffer[length] = '\0';
    return static_cast<std::uint32_t>(length);
}

bool CFakePlatform::WritePrivateProfileStringA(const char* section, const char* key,
                                               const char* value, const char* fileName) {
    std::string path = fileName;
    FakeEntry* file = files.Find(path);
    FakeEntry* folder = files.Find(path.substr(0, path.rfind('\\')));
    if (file == nullptr && (folder == nullptr || folder->attributes != 0x10))
        return false;
    if (file == nullptr) {
        files.AddFile(path);
        file = &files.entries.back();
    }
    if ((file->attributes & 0x11) != 0) // a folder, or read-only
        return false;
    std::string& text = file->content;
    const IniSpot spot = FindKey(text, section, key);
    const std::string line = std::string(key) + "=" + value;
    if (spot.key)
        text.replace(spot.begin, spot.end - spot.begin, spot.name + "=" + value);
    else if (spot.section)
        text.insert(spot.insertAt, (text[spot.insertAt - 1] != '\n' ? "\r\n" : "") + line + "\r\n");
    else
        text += (text.empty() || text.back() == '\n' ? "[" : "\r\n[") + std::string(section) +
                "]\r\n" + line + "\r\n";
    return true;
}

// A listing is taken whole when it starts.
FindHandle CFakePlatform::FindFirstFileA(const char* pattern, FindData* data) {
    log.push_back(std::string("find ") + pattern);
    const std::string folded = Fold(pattern);
    const std::size_t separator = folded.rfind('\\');
    std::vector<FindData>& listing = m_listings[m_nextListing];
    for (const FakeEntry& entry : files.entries) {
        const std::string name = entry.path.substr(entry.path.rfind('\\') + 1);
        if (Fold(entry.path).compare(0, separator + 1, folded, 0, separator + 1) != 0 ||
            entry.path.size() != separator + 1 + name.size() ||
            !Matches(folded.c_str() + separator + 1, Fold(name).c_str()))
            continue;
        FindData found{};
        found.dwFileAttributes = entry.attributes;
        found.ftCreationTime = found.ftLastAccessTime = found.ftLastWriteTime = entry.lastWrite;
        found.nFileSizeLow = static_cast<std::uint32_t>(entry.content.size());
        name.copy(found.cFileName, sizeof found.cFileName - 1);
        listing.push_back(found);
    }
    if (listing.empty())
        return kInvalidFindHandle;
    ++openListings;
    FindNextFileA(m_nextListing, data);
    return m_nextListing++;
}

bool CFakePlatform::FindNextFileA(FindHandle handle, FindData* data) {
    std::vector<FindData>& listing = m_listings[handle];
    if (listing.empty())
        return false;
    *data = listing.front();
    listing.erase(listing.begin());
    return true;
}

bool CFakePlatform::FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) {
    std::uint64_t ticks = (std::uint64_t{utc->dwHighDateTime} << 32) | utc->dwLowDateTime;
    ticks += std::int64_t{localOffsetMinutes} * 600000000;
    *local = {static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    return true;
}

bool CFakePlatform::FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) {
    const std::uint64_t ticks = (std::uint64_t{time->dwHighDateTime} << 32) | time->dwLowDateTime;
    const std::time_t seconds = static_cast<std::time_t>(ticks / 10000000) - 11644473600;
    const std::tm* parts = std::gmtime(&seconds);
    *systemTime = {static_cast<std::uint16_t>(parts->tm_year + 1900),
                   static_cast<std::uint16_t>(parts->tm_mon + 1),
                   static_cast<std::uint16_t>(parts->tm_wday),
                   static_cast<std::uint16_t>(parts->tm_mday),
                   static_cast<std::uint16_t>(parts->tm_hour),
                   static_cast<std::uint16_t>(parts->tm_min),
                   static_cast<std::uint16_t>(parts->tm_sec),
                   static_cast<std::uint16_t>(ticks % 10000000 / 10000)};
    return true;
}

// A window asked to close leaves the list after its polledAfterClose polls.
bool CFakePlatform::EnumWindows(EnumWindowsCallback callback, void* context) {
    log.push_back("enum");
    for (std::size_t i = 0; i < windows.size(); ++i) {
        FakeTopWindow& window = windows[i];
        if (window.closing && window.polledAfterClose == 0)
            continue;
        window.polledAfterClose -= window.closing && window.polledAfterClose > 0;
        if (!callback(reinterpret_cast<WindowHandle>(i + 1), context))
            return false;
    }
    return true;
}

int CFakePlatform::GetWindowTextA(WindowHandle window, char* buffer, int size) {
    const std::string& title = windows[reinterpret_cast<std::size_t>(window) - 1].title;
    const std::size_t length = title.copy(buffer, static_cast<std::size_t>(size) - 1);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

bool CFakePlatform::PostCloseMessage(WindowHandle window) {
    FakeTopWindow& target = windows[reinterpret_cast<std::size_t>(window) - 1];
    log.push_back("post " + target.title);
    target.closing = !target.postFails;
    return !target.postFails;
}

void CFakePlatform::Sleep(std::uint32_t milliseconds) {
    log.push_back("sleep " + std::to_string(milliseconds));
}

LibraryHandle CFakePlatform::LoadLibraryA(const char* name) {
    log.push_back(std::string("load ") + name);
    const auto library = libraries.find(name);
    loadedLibraries += library != libraries.end();
    return library == libraries.end() ? nullptr : &library->second;
}

ArchiverProcAddress CFakePlatform::GetProcAddress(LibraryHandle library, const char* name) {
    log.push_back(std::string("proc ") + name);
    for (std::string& entry : *static_cast<std::vector<std::string>*>(library)) {
        if (entry == name)
            return &entry;
    }
    return nullptr;
}

// Fills the whole output buffer, so a size larger than the buffer shows under a memory checker.
int CFakePlatform::CallArchiverProc(ArchiverProcAddress, WindowHandle owner,
                                    const char* commandLine, char* output,
                                    std::uint32_t outputSize) {
    log.push_back(std::string("call ") + commandLine);
    archiverOwner = owner;
    archiverOutputSize = outputSize;
    std::memset(output, 'o', outputSize);
    return archiverResult;
}

void CFakePlatform::FreeLibrary(LibraryHandle) {
    log.push_back("free");
    --loadedLibraries;
}

void CFakePlatform::ShellExecuteA(const char* file, const char* folder) {
    log.push_back(std::string("exec ") + file + "|" + folder);
}

int CFakeWindow::ShowMessage(const char* text, const char* caption, unsigned type) {
    m_log.push_back(std::string("box ") + text + "|" + (caption ? caption : "(none)") + "|" +
                    std::to_string(type));
    const int answer = answers.empty() ? 1 : answers.front();
    if (!answers.empty())
        answers.pop_front();
    return answer;
}
