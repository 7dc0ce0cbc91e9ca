#include "zip_decode.h"
#include <zlib.h>

namespace {

constexpr std::size_t kChunkSize = 32 * 1024;

DecodeStatus DecodeStored(const ZipEntry& entry, const unsigned char* data, const ByteSink& sink,
                          uLong& crc) {
    if (entry.compressedSize != entry.uncompressedSize)
        return DecodeStatus::Corrupt;
    for (std::size_t done = 0; done < entry.compressedSize;) {
        std::size_t count = entry.compressedSize - done;
        if (count > kChunkSize)
            count = kChunkSize;
        crc = crc32(crc, data + done, static_cast<uInt>(count));
        if (!sink(data + done, count))
            return DecodeStatus::SinkFailed;
        done += count;
    }
    return DecodeStatus::Ok;
}

// Raw deflate data (no zlib header). Output beyond the declared size, or a
// stream that needs more than its compressed bytes (inflate then reports
// Z_BUF_ERROR), is corrupt.
DecodeStatus DecodeDeflated(const ZipEntry& entry, const unsigned char* data, const ByteSink& sink,
                            uLong& crc) {
    z_stream stream = {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return DecodeStatus::Unsupported;
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = entry.compressedSize;
    unsigned char chunk[kChunkSize];
    std::uint32_t produced = 0;
    DecodeStatus status = DecodeStatus::Corrupt;
    for (;;) {
        stream.next_out = chunk;
        stream.avail_out = sizeof chunk;
        int result = inflate(&stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END)
            break;
        std::size_t count = sizeof chunk - stream.avail_out;
        if (count > entry.uncompressedSize - produced)
            break;
        produced += static_cast<std::uint32_t>(count);
        crc = crc32(crc, chunk, static_cast<uInt>(count));
        if (count > 0 && !sink(chunk, count)) {
            status = DecodeStatus::SinkFailed;
            break;
        }
        if (result == Z_STREAM_END) {
            if (produced == entry.uncompressedSize)
                status = DecodeStatus::Ok;
            break;
        }
    }
    inflateEnd(&stream);
    return status;
}

} // namespace

bool IsDecodable(const ZipEntry& entry) {
    return (entry.flags & kZipFlagEncrypted) == 0 &&
           (entry.method == kZipMethodStored || entry.method == kZipMethodDeflated);
}

DecodeStatus DecodeEntry(const ZipEntry& entry, const unsigned char* data, const ByteSink& sink) {
    if (!IsDecodable(entry))
        return DecodeStatus::Unsupported;
    uLong crc = crc32(0, nullptr, 0);
    DecodeStatus status = entry.method == kZipMethodStored ? DecodeStored(entry, data, sink, crc)
                                                           : DecodeDeflated(entry, data, sink, crc);
    if (status == DecodeStatus::Ok && crc != entry.crc32)
        return DecodeStatus::Corrupt;
    return status;
}
