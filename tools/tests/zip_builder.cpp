#include "zip_builder.h"
#include <stdexcept>
#include <zlib.h>

namespace {

void Put16(std::vector<unsigned char>& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutText(std::vector<unsigned char>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

// The fields that the local and the central header share, from "version needed" on.
void PutCommonFields(std::vector<unsigned char>& out, const ZipItem& item) {
    Put16(out, 20);
    Put16(out, item.flags);
    Put16(out, item.method);
    Put32(out, 0x00210000); // 1980-01-01 00:00
    Put32(out, item.crc32);
    Put32(out, static_cast<std::uint32_t>(item.data.size()));
    Put32(out, item.uncompressedSize);
    Put16(out, static_cast<std::uint32_t>(item.name.size()));
    Put16(out, 0); // extra field
}

} // namespace

std::string Deflate(const std::string& contents) {
    z_stream stream = {};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&stream, contents.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(contents.data()));
    stream.avail_in = static_cast<uInt>(contents.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

ZipItem& ZipBuilder::AddFile(const std::string& name, const std::string& contents,
                             std::uint16_t method) {
    ZipItem item;
    item.name = name;
    item.flags = 0;
    item.method = method;
    item.crc32 = static_cast<std::uint32_t>(crc32(
        0, reinterpret_cast<const Bytef*>(contents.data()), static_cast<uInt>(contents.size())));
    item.uncompressedSize = static_cast<std::uint32_t>(contents.size());
    item.data = method == kZipMethodDeflated ? Deflate(contents) : contents;
    items.push_back(item);
    return items.back();
}

ZipItem& ZipBuilder::AddFolder(const std::string& name) {
    return AddFile(name, std::string(), kZipMethodStored);
}

std::vector<unsigned char> ZipBuilder::Build(const std::string& comment) const {
    std::vector<unsigned char> out;
    std::vector<std::uint32_t> offsets;
    for (const ZipItem& item : items) {
        offsets.push_back(static_cast<std::uint32_t>(out.size()));
        Put32(out, 0x04034b50);
        PutCommonFields(out, item);
        PutText(out, item.name);
        PutText(out, item.data);
    }
    std::uint32_t directoryOffset = static_cast<std::uint32_t>(out.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        Put32(out, 0x02014b50);
        Put16(out, 20); // version made by
        PutCommonFields(out, items[i]);
        Put16(out, 0); // comment
        Put16(out, 0); // disk
        Put16(out, 0); // internal attributes
        Put32(out, 0); // external attributes
        Put32(out, offsets[i]);
        PutText(out, items[i].name);
    }
    std::uint32_t directorySize = static_cast<std::uint32_t>(out.size()) - directoryOffset;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(items.size()));
    Put16(out, static_cast<std::uint32_t>(items.size()));
    Put32(out, directorySize);
    Put32(out, directoryOffset);
    Put16(out, static_cast<std::uint32_t>(comment.size()));
    PutText(out, comment);
    return out;
}
