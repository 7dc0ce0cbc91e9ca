#include "unzip.h"
#include "entry_name.h"
#include "make_directory.h"
#include "unzip_command.h"
#include "zip_decode.h"
#include <cstdio>
#include <new>
#include <vector>

namespace {

constexpr std::size_t kMaxArchiveSize = 256u * 1024 * 1024;

struct PlannedEntry {
    const ZipEntry* entry;
    RelativePath target;
    std::size_t dataOffset;
};

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& contents) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    unsigned char chunk[64 * 1024];
    std::size_t count;
    bool fits = true;
    while (fits && (count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        fits = contents.size() + count <= kMaxArchiveSize;
        contents.insert(contents.end(), chunk, chunk + count);
    }
    bool ok = fits && !std::ferror(file);
    std::fclose(file);
    return ok;
}

int ToResult(ZipStatus status) {
    return status == ZipStatus::Unsupported ? kUnzipUnsupported : kUnzipCorrupt;
}

int PlanEntries(const std::vector<unsigned char>& archive, const std::vector<ZipEntry>& entries,
                std::vector<PlannedEntry>& plan) {
    for (const ZipEntry& entry : entries) {
        PlannedEntry planned{&entry, {}, 0};
        if (!MakeRelativePath(entry.name, (entry.flags & kZipFlagUtf8Name) != 0, planned.target))
            return kUnzipUnsafeName;
        if (!IsDecodable(entry))
            return kUnzipUnsupported;
        ZipStatus status =
            LocateEntryData(archive.data(), archive.size(), entry, planned.dataOffset);
        if (status != ZipStatus::Ok)
            return ToResult(status);
        plan.push_back(planned);
    }
    return kUnzipOk;
}

// Makes every folder on the way to the target below the destination; the
// last component too when the target is a folder itself.
bool MakeFolders(const std::string& destination, const RelativePath& target) {
    std::size_t end = target.path.find(kPathSeparator);
    for (; end != std::string::npos; end = target.path.find(kPathSeparator, end + 1)) {
        if (!MakeDirectory(destination + target.path.substr(0, end)))
            return false;
    }
    return !target.isDirectory || MakeDirectory(destination + target.path);
}

int WriteEntry(const std::vector<unsigned char>& archive, const std::string& destination,
               const PlannedEntry& planned) {
    if (!MakeFolders(destination, planned.target))
        return kUnzipWriteFailed;
    if (planned.target.isDirectory)
        return kUnzipOk;
    std::FILE* file = std::fopen((destination + planned.target.path).c_str(), "wb");
    if (file == nullptr)
        return kUnzipWriteFailed;
    DecodeStatus status = DecodeEntry(*planned.entry, archive.data() + planned.dataOffset,
                                      [file](const unsigned char* bytes, std::size_t count) {
                                          return std::fwrite(bytes, 1, count, file) == count;
                                      });
    bool closed = std::fclose(file) == 0;
    switch (status) {
    case DecodeStatus::Ok:
        return closed ? kUnzipOk : kUnzipWriteFailed;
    case DecodeStatus::Corrupt:
        return kUnzipCorrupt;
    case DecodeStatus::Unsupported:
        return kUnzipUnsupported;
    case DecodeStatus::SinkFailed:
        break;
    }
    return kUnzipWriteFailed;
}

} // namespace

int UnzipToFolder(const std::string& archivePath, const std::string& destination) {
    std::vector<unsigned char> archive;
    if (!ReadWholeFile(archivePath, archive))
        return kUnzipArchiveUnreadable;
    std::vector<ZipEntry> entries;
    ZipStatus status = ReadCentralDirectory(archive.data(), archive.size(), entries);
    if (status != ZipStatus::Ok)
        return ToResult(status);
    std::vector<PlannedEntry> plan;
    int result = PlanEntries(archive, entries, plan);
    if (result != kUnzipOk)
        return result;

    if (destination.empty() || !MakeDirectory(destination))
        return kUnzipWriteFailed;
    std::string folder = destination;
    if (!EndsWithSeparator(folder))
        folder += kPathSeparator;
    for (const PlannedEntry& planned : plan) {
        result = WriteEntry(archive, folder, planned);
        if (result != kUnzipOk)
            return result;
    }
    return kUnzipOk;
}

int RunUnzipCommand(const char* commandLine) {
    try {
        UnzipCommand command;
        if (!ParseUnzipCommand(commandLine, command))
            return kUnzipBadCommand;
        return UnzipToFolder(command.archive, command.destination);
    } catch (const std::bad_alloc&) {
        return kUnzipOutOfMemory;
    }
}
