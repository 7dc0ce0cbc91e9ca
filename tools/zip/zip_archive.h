// The central directory of a ZIP archive held in memory, read with every
// offset and length checked against the buffer: a hostile archive can make
// reading fail but never read outside the buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class ZipStatus { Ok, Corrupt, Unsupported };

constexpr std::uint16_t kZipMethodStored = 0;
constexpr std::uint16_t kZipMethodDeflated = 8;
constexpr std::uint16_t kZipFlagEncrypted = 0x0001;
constexpr std::uint16_t kZipFlagUtf8Name = 0x0800;

struct ZipEntry {
    std::string name; // bytes as stored; may hold anything, NULs included
    std::uint16_t flags;
    std::uint16_t method;
    std::uint32_t crc32;
    std::uint32_t compressedSize;
    std::uint32_t uncompressedSize;
    std::uint32_t localHeaderOffset;
};

// Lists the entries named by the end-of-central-directory record. Archives
// spanning several disks and ZIP64 archives are Unsupported.
ZipStatus ReadCentralDirectory(const unsigned char* data, std::size_t size,
                               std::vector<ZipEntry>& entries);

// Finds where the entry's compressed bytes start, through its local header,
// and checks that all of them lie inside the buffer.
ZipStatus LocateEntryData(const unsigned char* data, std::size_t size, const ZipEntry& entry,
                          std::size_t& dataOffset);
