#include "zip_archive.h"

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kMaxCommentSize = 0xFFFF;

std::uint16_t Read16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// True when [offset, offset + length) lies inside a buffer of the given size.
bool Fits(std::size_t size, std::uint64_t offset, std::uint64_t length) {
    return offset <= size && length <= size - offset;
}

// The last end record whose comment fits inside the buffer.
bool FindEndRecord(const unsigned char* data, std::size_t size, std::size_t& position) {
    if (size < kEndRecordSize)
        return false;
    std::size_t last = size - kEndRecordSize;
    std::size_t first = last > kMaxCommentSize ? last - kMaxCommentSize : 0;
    for (std::size_t p = last + 1; p-- > first;) {
        if (Read32(data + p) == kEndSignature &&
            Fits(size, p + kEndRecordSize, Read16(data + p + 20))) {
            position = p;
            return true;
        }
    }
    return false;
}

} // namespace

ZipStatus ReadCentralDirectory(const unsigned char* data, std::size_t size,
                               std::vector<ZipEntry>& entries) {
    entries.clear();
    std::size_t end = 0;
    if (!FindEndRecord(data, size, end))
        return ZipStatus::Corrupt;
    const unsigned char* record = data + end;
    std::uint16_t disk = Read16(record + 4);
    std::uint16_t directoryDisk = Read16(record + 6);
    std::uint16_t entriesOnDisk = Read16(record + 8);
    std::uint16_t entryCount = Read16(record + 10);
    std::uint32_t directorySize = Read32(record + 12);
    std::uint32_t directoryOffset = Read32(record + 16);
    if (disk != 0 || directoryDisk != 0 || entriesOnDisk != entryCount)
        return ZipStatus::Unsupported;
    if (entryCount == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF)
        return ZipStatus::Unsupported; // ZIP64
    if (!Fits(end, directoryOffset, directorySize))
        return ZipStatus::Corrupt;

    std::size_t position = directoryOffset;
    const std::size_t directoryEnd = position + directorySize;
    entries.reserve(entryCount);
    for (std::uint16_t i = 0; i < entryCount; ++i) {
        if (!Fits(directoryEnd, position, kCentralHeaderSize))
            return ZipStatus::Corrupt;
        const unsigned char* header = data + position;
        if (Read32(header) != kCentralSignature)
            return ZipStatus::Corrupt;
        std::uint16_t nameLength = Read16(header + 28);
        std::uint64_t variableLength =
            std::uint64_t{nameLength} + Read16(header + 30) + Read16(header + 32);
        if (!Fits(directoryEnd, position + kCentralHeaderSize, variableLength))
            return ZipStatus::Corrupt;
        ZipEntry entry;
        entry.flags = Read16(header + 8);
        entry.method = Read16(header + 10);
        entry.crc32 = Read32(header + 16);
        entry.compressedSize = Read32(header + 20);
        entry.uncompressedSize = Read32(header + 24);
        entry.localHeaderOffset = Read32(header + 42);
        entry.name.assign(reinterpret_cast<const char*>(header + kCentralHeaderSize), nameLength);
        entries.push_back(entry);
        position += kCentralHeaderSize + variableLength;
    }
    return ZipStatus::Ok;
}

ZipStatus LocateEntryData(const unsigned char* data, std::size_t size, const ZipEntry& entry,
                          std::size_t& dataOffset) {
    if (!Fits(size, entry.localHeaderOffset, kLocalHeaderSize))
        return ZipStatus::Corrupt;
    const unsigned char* header = data + entry.localHeaderOffset;
    if (Read32(header) != kLocalSignature)
        return ZipStatus::Corrupt;
    std::uint64_t start = std::uint64_t{entry.localHeaderOffset} + kLocalHeaderSize +
                          Read16(header + 26) + Read16(header + 28);
    if (!Fits(size, start, entry.compressedSize))
        return ZipStatus::Corrupt;
    dataOffset = static_cast<std::size_t>(start);
    return ZipStatus::Ok;
}
