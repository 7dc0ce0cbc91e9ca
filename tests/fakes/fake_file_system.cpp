#include "fake_file_system.h"
#include "fake_names.h"
#include <algorithm>

void CFakeFileSystem::AddFile(const std::string& path, const std::string& content,
                              FileTime lastWrite, std::uint32_t attributes) {
    Add(path, attributes & ~kFileAttributeDirectory, lastWrite, content);
}

void CFakeFileSystem::AddDirectory(const std::string& path) {
    Add(path, kFileAttributeDirectory, {}, "");
}

void CFakeFileSystem::Add(const std::string& path, std::uint32_t attributes, FileTime lastWrite,
                          const std::string& content) {
    std::size_t separator = LastSeparator(path);
    if (separator != std::string::npos && !IsDirectory(path.substr(0, separator)))
        AddDirectory(path.substr(0, separator));
    FakeEntry entry{path, PathKey(path), attributes, lastWrite, content};
    if (FakeEntry* existing = Find(path))
        *existing = entry;
    else
        m_entries.push_back(entry);
}

FakeEntry* CFakeFileSystem::Find(const std::string& path) {
    const std::string key = PathKey(path);
    for (FakeEntry& entry : m_entries) {
        if (entry.key == key)
            return &entry;
    }
    return nullptr;
}

bool CFakeFileSystem::IsDirectory(const std::string& path) {
    const FakeEntry* entry = Find(path);
    return entry != nullptr && (entry->attributes & kFileAttributeDirectory) != 0;
}

void CFakeFileSystem::Remove(const std::string& path) {
    const std::string key = PathKey(path);
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const FakeEntry& entry) { return entry.key == key; }),
                    m_entries.end());
}

std::vector<FindData> CFakeFileSystem::List(const std::string& pattern) {
    std::vector<FindData> listing;
    const std::string key = PathKey(pattern);
    const std::size_t separator = LastSeparator(key);
    if (separator == std::string::npos || !IsDirectory(key.substr(0, separator)))
        return listing;
    const std::string folder = key.substr(0, separator);
    const std::string namePattern = key.substr(separator + 1);
    for (const FakeEntry& entry : m_entries) {
        const std::size_t entrySeparator = LastSeparator(entry.key);
        if (entrySeparator == folder.size() && entry.key.compare(0, entrySeparator, folder) == 0 &&
            MatchesWildcard(namePattern, entry.key.substr(entrySeparator + 1)))
            listing.push_back(FindDataOf(entry));
    }
    return listing;
}

FindData FindDataOf(const FakeEntry& entry) {
    FindData data{};
    data.dwFileAttributes = entry.attributes;
    data.ftCreationTime = data.ftLastAccessTime = data.ftLastWriteTime = entry.lastWrite;
    data.nFileSizeLow = static_cast<std::uint32_t>(entry.content.size());
    const std::string name = entry.path.substr(LastSeparator(entry.path) + 1);
    name.copy(data.cFileName, sizeof data.cFileName - 1);
    return data;
}
