// CFakePlatform: module path, INI files, directory listings and times.
#include "fake_calendar.h"
#include "fake_names.h"
#include "fake_platform.h"
#include "fake_profile.h"
#include "text.h"
#include <cstring>

bool CFakePlatform::IsLeadByte(unsigned char byte) {
    return IsCp932LeadByte(byte);
}

std::uint32_t CFakePlatform::GetModuleFileNameA(char* buffer, std::uint32_t size) {
    if (size == 0)
        return 0;
    const std::size_t copied = modulePath.copy(buffer, size - 1);
    buffer[copied] = '\0';
    return modulePath.size() < size ? static_cast<std::uint32_t>(copied) : size;
}

std::uint32_t CFakePlatform::GetPrivateProfileStringA(const char* section, const char* key,
                                                      const char* defaultValue, char* buffer,
                                                      std::uint32_t size, const char* fileName) {
    if (size == 0)
        return 0;
    std::string value;
    const FakeEntry* file = files.Find(fileName);
    const bool isFile = file != nullptr && (file->attributes & kFileAttributeDirectory) == 0;
    if (!isFile || !ReadProfileValue(file->content, section, key, value)) {
        value = defaultValue == nullptr ? "" : defaultValue;
        value.erase(value.find_last_not_of(' ') + 1);
    }
    const std::size_t copied = value.copy(buffer, size - 1);
    buffer[copied] = '\0';
    return static_cast<std::uint32_t>(copied);
}

bool CFakePlatform::WritePrivateProfileStringA(const char* section, const char* key,
                                               const char* value, const char* fileName) {
    if (section == nullptr || key == nullptr || value == nullptr || fileName == nullptr)
        return false;
    FakeEntry* file = files.Find(fileName);
    if (file == nullptr) {
        const std::string path = fileName;
        const std::size_t separator = LastSeparator(path);
        if (separator == std::string::npos || !files.IsDirectory(path.substr(0, separator)))
            return false;
        files.AddFile(path, WriteProfileValue("", section, key, value));
        return true;
    }
    if ((file->attributes & (kFileAttributeDirectory | kFakeAttributeReadOnly)) != 0)
        return false;
    file->content = WriteProfileValue(file->content, section, key, value);
    return true;
}

FindHandle CFakePlatform::FindFirstFileA(const char* pattern, FindData* data) {
    events.push_back(std::string("find:") + pattern);
    std::vector<FindData> entries = files.List(pattern);
    if (entries.empty())
        return kInvalidFindHandle;
    *data = entries[0];
    m_listings[m_nextListing] = {entries, 1};
    return m_nextListing++;
}

bool CFakePlatform::FindNextFileA(FindHandle handle, FindData* data) {
    auto listing = m_listings.find(handle);
    if (listing == m_listings.end() || listing->second.next >= listing->second.entries.size())
        return false;
    *data = listing->second.entries[listing->second.next++];
    return true;
}

void CFakePlatform::FindClose(FindHandle handle) {
    m_listings.erase(handle);
}

bool CFakePlatform::FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) {
    const std::int64_t shifted = static_cast<std::int64_t>(TicksOf(*utc)) +
                                 std::int64_t{localOffsetMinutes} * 60 * kTicksPerSecond;
    if (shifted < 0)
        return false;
    *local = FileTimeOf(static_cast<std::uint64_t>(shifted));
    return true;
}

bool CFakePlatform::FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) {
    return SplitFileTime(*time, *systemTime);
}
