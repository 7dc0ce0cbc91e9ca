// Builds ZIP archives in memory for the tests, with zlib's raw deflate. The
// items stay public so that a test can damage a field before Build.
#pragma once
#include "zip_archive.h"
#include <string>
#include <vector>

struct ZipItem {
    std::string name;
    std::uint16_t flags;
    std::uint16_t method;
    std::uint32_t crc32;
    std::uint32_t uncompressedSize;
    std::string data; // as stored: compressed when deflated
};

class ZipBuilder {
  public:
    ZipItem& AddFile(const std::string& name, const std::string& contents,
                     std::uint16_t method = kZipMethodDeflated);
    ZipItem& AddFolder(const std::string& name);
    std::vector<unsigned char> Build(const std::string& comment = std::string()) const;

    std::vector<ZipItem> items;
};

std::string Deflate(const std::string& contents);
