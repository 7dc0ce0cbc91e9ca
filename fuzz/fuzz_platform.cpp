#include "fuzz_platform.h"
#include "check.h"
#include <algorithm>
#include <cstring>

namespace {

char Fold(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// '*' matches any run of bytes, everything else one byte regardless of ASCII case.
bool Matches(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = ++pattern;
            resume = name;
        } else if (*pattern != '\0' && Fold(*pattern) == Fold(*name)) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

std::uint32_t CopyBounded(const char* text, char* buffer, std::uint32_t size) {
    if (size == 0)
        return 0;
    std::size_t length = std::min<std::size_t>(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<std::uint32_t>(length);
}

} // namespace

FindData CFuzzPlatform::RecordOf(const Entry& entry, std::size_t index) {
    FindData record{};
    record.dwFileAttributes = entry.directory ? kFileAttributeDirectory : 0x20; // ARCHIVE
    record.nFileSizeLow = static_cast<std::uint32_t>(index + 1);
    std::memcpy(record.cFileName, entry.name.data(), std::min<std::size_t>(entry.name.size(), 259));
    return record;
}

int CFuzzPlatform::OpenListings() const {
    int open = 0;
    for (const Listing& listing : m_listings)
        open += listing.open ? 1 : 0;
    return open;
}

bool CFuzzPlatform::IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::uint32_t CFuzzPlatform::GetModuleFileNameA(char* buffer, std::uint32_t size) {
    return CopyBounded("C:\\KvInst\\KvInst.exe", buffer, size);
}

std::uint32_t CFuzzPlatform::GetPrivateProfileStringA(const char*, const char*,
                                                      const char* defaultValue, char* buffer,
                                                      std::uint32_t size, const char*) {
    return CopyBounded(m_hasSetting ? m_setting.c_str() : defaultValue, buffer, size);
}

bool CFuzzPlatform::WritePrivateProfileStringA(const char*, const char*, const char* value,
                                               const char*) {
    m_written = value;
    return true;
}

FindHandle CFuzzPlatform::FindFirstFileA(const char* pattern, FindData* data) {
    const char* separator = std::strrchr(pattern, '\\');
    if (separator == nullptr ||
        std::string(pattern, separator) != m_folder) // only the one folder exists
        return kInvalidFindHandle;
    Listing listing;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (Matches(separator + 1, m_entries[i].name.c_str()))
            listing.matches.push_back(i);
    }
    if (listing.matches.empty())
        return kInvalidFindHandle;
    m_listings.push_back(listing);
    const FindHandle handle = static_cast<FindHandle>(m_listings.size() - 1);
    FUZZ_CHECK(FindNextFileA(handle, data));
    return handle;
}

bool CFuzzPlatform::FindNextFileA(FindHandle handle, FindData* data) {
    FUZZ_CHECK(handle >= 0 && static_cast<std::size_t>(handle) < m_listings.size());
    Listing& listing = m_listings[static_cast<std::size_t>(handle)];
    FUZZ_CHECK(listing.open);
    if (listing.next == listing.matches.size())
        return false;
    const std::size_t index = listing.matches[listing.next++];
    *data = RecordOf(m_entries[index], index);
    return true;
}

void CFuzzPlatform::FindClose(FindHandle handle) {
    FUZZ_CHECK(handle >= 0 && static_cast<std::size_t>(handle) < m_listings.size());
    FUZZ_CHECK(m_listings[static_cast<std::size_t>(handle)].open);
    m_listings[static_cast<std::size_t>(handle)].open = false;
}

bool CFuzzPlatform::FileTimeToLocalFileTime(const FileTime*, FileTime*) {
    return false;
}
bool CFuzzPlatform::FileTimeToSystemTime(const FileTime*, SystemTime*) {
    return false;
}
bool CFuzzPlatform::EnumWindows(EnumWindowsCallback, void*) {
    return true;
}
int CFuzzPlatform::GetWindowTextA(WindowHandle, char* buffer, int size) {
    if (size > 0)
        buffer[0] = '\0';
    return 0;
}
bool CFuzzPlatform::PostCloseMessage(WindowHandle) {
    return false;
}
void CFuzzPlatform::Sleep(std::uint32_t) {}
LibraryHandle CFuzzPlatform::LoadLibraryA(const char*) {
    return nullptr;
}
ArchiverProcAddress CFuzzPlatform::GetProcAddress(LibraryHandle, const char*) {
    return nullptr;
}
int CFuzzPlatform::CallArchiverProc(ArchiverProcAddress, WindowHandle, const char*, char*,
                                    std::uint32_t) {
    return 1;
}
void CFuzzPlatform::FreeLibrary(LibraryHandle) {}
void CFuzzPlatform::DeleteFileA(const char*) {}
void CFuzzPlatform::ShellExecuteA(const char*, const char*) {}

void CFuzzWindow::ShowFieldText(int controlId, const char* text) {
    m_fields[controlId] = text;
}
int CFuzzWindow::ShowMessage(const char*, const char*, unsigned) {
    FUZZ_CHECK(!"the scan shows no message");
    return kIdCancel;
}
WindowHandle CFuzzWindow::OwnerWindow() {
    return nullptr;
}
void CFuzzWindow::EndWithOk() {
    FUZZ_CHECK(!"the scan never ends the dialog");
}
