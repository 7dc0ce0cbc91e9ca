// An in-memory file system with Win32's naming rules: full paths with
// backslashes, looked up regardless of letter case (see fake_names.h).
// Entries keep the order in which they were created, and a listing returns
// them in that order; replacing a file keeps its place. "." and ".." are never
// listed, and there are no short (8.3) names to match.
#pragma once
#include "records.h"
#include <cstdint>
#include <string>
#include <vector>

constexpr std::uint32_t kFakeAttributeReadOnly = 0x01; // FILE_ATTRIBUTE_READONLY
constexpr std::uint32_t kFakeAttributeArchive = 0x20;  // FILE_ATTRIBUTE_ARCHIVE

struct FakeEntry {
    std::string path; // as created
    std::string key;  // PathKey(path)
    std::uint32_t attributes;
    FileTime lastWrite;
    std::string content;
};

class CFakeFileSystem {
  public:
    // Creating an entry creates its missing parent folders (everything before
    // each backslash) as well, like a recursive mkdir.
    void AddFile(const std::string& path, const std::string& content = "", FileTime lastWrite = {},
                 std::uint32_t attributes = kFakeAttributeArchive);
    void AddDirectory(const std::string& path);

    FakeEntry* Find(const std::string& path);
    bool IsDirectory(const std::string& path);
    void Remove(const std::string& path);

    // The entries that FindFirstFileA would list for the pattern: those in the
    // pattern's folder whose name matches its last component. Empty when the
    // folder does not exist or nothing matches.
    std::vector<FindData> List(const std::string& pattern);

  private:
    void Add(const std::string& path, std::uint32_t attributes, FileTime lastWrite,
             const std::string& content);

    std::vector<FakeEntry> m_entries;
};

// What FindFirstFileA reports for an entry: its name is the last path component.
FindData FindDataOf(const FakeEntry& entry);
