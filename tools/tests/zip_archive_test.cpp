#include "zip_builder.h"
#include "zip_decode.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

struct Decoded {
    ZipStatus directory = ZipStatus::Ok;
    ZipStatus location = ZipStatus::Ok;
    DecodeStatus decode = DecodeStatus::Ok;
    std::string contents;
};

// Reads the archive's first entry the way the unpacker does.
Decoded DecodeFirst(const std::vector<unsigned char>& archive) {
    Decoded result;
    std::vector<ZipEntry> entries;
    result.directory = ReadCentralDirectory(archive.data(), archive.size(), entries);
    if (result.directory != ZipStatus::Ok || entries.empty())
        return result;
    std::size_t offset = 0;
    result.location = LocateEntryData(archive.data(), archive.size(), entries[0], offset);
    if (result.location != ZipStatus::Ok)
        return result;
    result.decode = DecodeEntry(entries[0], archive.data() + offset,
                                [&](const unsigned char* bytes, std::size_t count) {
                                    result.contents.append(bytes, bytes + count);
                                    return true;
                                });
    return result;
}

std::string LongText() {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + "\n";
    return text; // well over one 32 KiB output chunk
}

void Overwrite32(std::vector<unsigned char>& archive, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        archive[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// Offset of the end record in an archive without a comment.
std::size_t EndRecord(const std::vector<unsigned char>& archive) {
    return archive.size() - 22;
}

TEST(ZipArchive, ReadsEntriesAndDecodesBothMethods) {
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    const std::string contents[] = {"stored text", LongText(), binary, ""};
    const std::uint16_t methods[] = {kZipMethodStored, kZipMethodDeflated, kZipMethodDeflated,
                                     kZipMethodDeflated};
    for (int i = 0; i < 4; ++i) {
        ZipBuilder builder;
        builder.AddFile("entry.bin", contents[i], methods[i]);
        Decoded decoded = DecodeFirst(builder.Build());
        EXPECT_EQ(ZipStatus::Ok, decoded.directory);
        EXPECT_EQ(DecodeStatus::Ok, decoded.decode);
        EXPECT_EQ(contents[i], decoded.contents) << "case " << i;
    }

    ZipBuilder builder;
    builder.AddFolder("doc/");
    builder.AddFile("doc/a.txt", "a", kZipMethodStored).flags = kZipFlagUtf8Name;
    std::vector<unsigned char> archive = builder.Build("a comment after the end record");
    std::vector<ZipEntry> entries;
    ASSERT_EQ(ZipStatus::Ok, ReadCentralDirectory(archive.data(), archive.size(), entries));
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("doc/", entries[0].name);
    EXPECT_EQ("doc/a.txt", entries[1].name);
    EXPECT_EQ(kZipFlagUtf8Name, entries[1].flags);
    EXPECT_EQ(1u, entries[1].uncompressedSize);

    std::vector<unsigned char> empty = ZipBuilder().Build();
    ASSERT_EQ(ZipStatus::Ok, ReadCentralDirectory(empty.data(), empty.size(), entries));
    EXPECT_TRUE(entries.empty());
}

TEST(ZipArchive, RefusesBrokenStructure) {
    ZipBuilder builder;
    builder.AddFile("a.txt", "contents of a");
    const std::vector<unsigned char> good = builder.Build();
    const std::size_t end = EndRecord(good);
    std::vector<ZipEntry> entries;

    EXPECT_EQ(ZipStatus::Corrupt, ReadCentralDirectory(good.data(), 0, entries));
    const char text[] = "this is not an archive, only some text of a certain length";
    EXPECT_EQ(ZipStatus::Corrupt, ReadCentralDirectory(reinterpret_cast<const unsigned char*>(text),
                                                       sizeof text, entries));

    std::vector<unsigned char> archive = good;
    Overwrite32(archive, end + 16, static_cast<std::uint32_t>(end)); // directory past its end
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).directory);

    archive = good;
    Overwrite32(archive, end + 12, 10); // directory too short for one header
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).directory);

    archive = good;
    archive[end + 20] = 1; // comment length one past the end of the file
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).directory);

    archive = good;
    archive[end + 8] = archive[end + 10] = 2; // two entries announced, one present
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).directory);

    archive = good;
    archive[end + 8] = archive[end + 9] = archive[end + 10] = archive[end + 11] = 0xFF;
    EXPECT_EQ(ZipStatus::Unsupported, DecodeFirst(archive).directory); // ZIP64

    archive = good;
    archive[end + 4] = 1; // another disk
    EXPECT_EQ(ZipStatus::Unsupported, DecodeFirst(archive).directory);

    const std::size_t central = end - 46 - 5;
    archive = good;
    archive[central + 28] = 0xFF; // name runs past the directory
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).directory);

    archive = good;
    Overwrite32(archive, central + 42, 0xFFFFFFF0); // local header far outside
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).location);

    archive = good;
    Overwrite32(archive, central + 20, 0xFFFFFFFF); // compressed size past the end
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).location);

    archive = good;
    archive[0] = 'X'; // local header signature
    EXPECT_EQ(ZipStatus::Corrupt, DecodeFirst(archive).location);
}

TEST(ZipArchive, RefusesContentsThatDoNotMatchTheDirectory) {
    const std::string text = LongText();
    struct Case {
        const char* what;
        std::uint16_t method;
        void (*damage)(ZipItem&);
        DecodeStatus expected;
    };
    const Case cases[] = {
        {"wrong CRC", kZipMethodDeflated, [](ZipItem& item) { item.crc32 ^= 1; },
         DecodeStatus::Corrupt},
        {"stored CRC", kZipMethodStored, [](ZipItem& item) { item.crc32 ^= 1; },
         DecodeStatus::Corrupt},
        {"declared size too small", kZipMethodDeflated,
         [](ZipItem& item) { item.uncompressedSize -= 1; }, DecodeStatus::Corrupt},
        {"declared size too large", kZipMethodDeflated,
         [](ZipItem& item) { item.uncompressedSize += 1; }, DecodeStatus::Corrupt},
        {"stored sizes differ", kZipMethodStored, [](ZipItem& item) { item.uncompressedSize -= 1; },
         DecodeStatus::Corrupt},
        {"stream cut short", kZipMethodDeflated,
         [](ZipItem& item) { item.data.resize(item.data.size() / 2); }, DecodeStatus::Corrupt},
        {"not deflate data", kZipMethodDeflated,
         [](ZipItem& item) { item.data.assign(item.data.size(), '\xFF'); }, DecodeStatus::Corrupt},
        {"encrypted", kZipMethodDeflated, [](ZipItem& item) { item.flags |= kZipFlagEncrypted; },
         DecodeStatus::Unsupported},
        {"other method", kZipMethodDeflated, [](ZipItem& item) { item.method = 12; },
         DecodeStatus::Unsupported},
    };
    for (const Case& c : cases) {
        ZipBuilder builder;
        c.damage(builder.AddFile("a.txt", text, c.method));
        Decoded decoded = DecodeFirst(builder.Build());
        ASSERT_EQ(ZipStatus::Ok, decoded.location) << c.what;
        EXPECT_EQ(c.expected, decoded.decode) << c.what;
        EXPECT_LE(decoded.contents.size(), builder.items[0].uncompressedSize) << c.what;
    }
}

TEST(ZipArchive, SinkCanStopDecoding) {
    ZipBuilder builder;
    builder.AddFile("a.txt", LongText());
    std::vector<unsigned char> archive = builder.Build();
    std::vector<ZipEntry> entries;
    ASSERT_EQ(ZipStatus::Ok, ReadCentralDirectory(archive.data(), archive.size(), entries));
    std::size_t offset = 0;
    ASSERT_EQ(ZipStatus::Ok, LocateEntryData(archive.data(), archive.size(), entries[0], offset));
    int calls = 0;
    EXPECT_EQ(DecodeStatus::SinkFailed,
              DecodeEntry(entries[0], archive.data() + offset,
                          [&](const unsigned char*, std::size_t) { return ++calls < 2; }));
    EXPECT_EQ(2, calls);
}

// Every truncation and every damaged byte of a small archive: reading stays
// inside the buffer (checked by the sanitizers of the native build) and
// nothing damaged in the entry's data decodes as good.
TEST(ZipArchive, SurvivesDamageAnywhere) {
    ZipBuilder builder;
    builder.AddFile("doc/a.txt", "some text, some text, some text");
    builder.AddFile("b.bin", "stored bytes", kZipMethodStored);
    const std::vector<unsigned char> good = builder.Build();
    ASSERT_EQ(ZipStatus::Ok, DecodeFirst(good).directory);

    for (std::size_t size = 0; size < good.size(); ++size) {
        // Copied to a buffer of exactly that size so that a read past it is caught.
        std::vector<unsigned char> cut(good.begin(), good.begin() + size);
        EXPECT_NE(ZipStatus::Ok, DecodeFirst(cut).directory) << size;
    }
    // The last byte of a deflate stream may end in padding bits that no
    // decoder reads, so it is left out of the data range.
    const std::size_t dataStart = 30 + builder.items[0].name.size();
    const std::size_t dataEnd = dataStart + builder.items[0].data.size() - 1;
    for (std::size_t position = 0; position < good.size(); ++position) {
        for (unsigned char value : {0x00, 0xFF, 0x7F, 0x80}) {
            std::vector<unsigned char> damaged = good;
            if (damaged[position] == value)
                continue;
            damaged[position] = value;
            Decoded decoded = DecodeFirst(damaged);
            if (position >= dataStart && position < dataEnd) {
                EXPECT_NE(DecodeStatus::Ok, decoded.decode) << position;
            }
        }
    }
}

} // namespace
