// Decoding one entry's bytes: stored or deflated, checked against the sizes
// and the CRC-32 of the central directory.
#pragma once
#include "zip_archive.h"
#include <functional>

// Receives the decoded bytes piece by piece; false stops decoding.
using ByteSink = std::function<bool(const unsigned char* bytes, std::size_t count)>;

enum class DecodeStatus { Ok, Corrupt, Unsupported, SinkFailed };

// Whether the entry is one this reader can decode (not encrypted, stored or deflated).
bool IsDecodable(const ZipEntry& entry);

// data points at the entry's compressedSize bytes (see LocateEntryData). The
// sink never receives more than uncompressedSize bytes in total.
DecodeStatus DecodeEntry(const ZipEntry& entry, const unsigned char* data, const ByteSink& sink);
