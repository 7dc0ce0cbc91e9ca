#include "entry_name.h"
#include <gtest/gtest.h>

namespace {

std::string Native(std::string path) {
    for (char& c : path) {
        if (c == '/')
            c = kPathSeparator;
    }
    return path;
}

TEST(EntryName, MapsNamesBelowTheDestination) {
    RelativePath result;
    ASSERT_TRUE(MakeRelativePath("kv.exe", false, result));
    EXPECT_EQ("kv.exe", result.path);
    EXPECT_FALSE(result.isDirectory);

    ASSERT_TRUE(MakeRelativePath("doc/en/readme.txt", false, result));
    EXPECT_EQ(Native("doc/en/readme.txt"), result.path);

    ASSERT_TRUE(MakeRelativePath("doc\\ja\\readme.txt", false, result));
    EXPECT_EQ(Native("doc/ja/readme.txt"), result.path);

    ASSERT_TRUE(MakeRelativePath("doc/en/", false, result));
    EXPECT_EQ(Native("doc/en"), result.path);
    EXPECT_TRUE(result.isDirectory);

    // Empty and "." components are dropped; a name with dots inside is kept.
    ASSERT_TRUE(MakeRelativePath("./a//b/./..c..d", false, result));
    EXPECT_EQ(Native("a/b/..c..d"), result.path);
}

TEST(EntryName, KeepsDoubleByteCharactersWhole) {
    RelativePath result;
    // 0x95 0x5C is one character; its second byte is no separator.
    ASSERT_TRUE(MakeRelativePath("\x95\x5C/\x95\x5C.txt", false, result));
    EXPECT_EQ("\x95\x5C" + std::string(1, kPathSeparator) + "\x95\x5C.txt", result.path);
    // In a UTF-8 name no byte pairs up, so a '/' after a byte >= 0x80 separates.
    ASSERT_TRUE(MakeRelativePath("\xE3\x81\x82/b", true, result));
    EXPECT_EQ(Native("\xE3\x81\x82/b"), result.path);
    // Read as code page 932 the same bytes are a lead byte without a valid trail.
    EXPECT_FALSE(MakeRelativePath("\x81/../evil", false, result));
    EXPECT_FALSE(MakeRelativePath("ab\x81", false, result)); // lead byte at the end
}

TEST(EntryName, RefusesNamesThatCouldLeaveTheDestination) {
    const std::string refused[] = {
        "",
        ".",
        "./",
        "..",
        "../evil.txt",
        "a/../../evil.txt",
        "a/..",
        "..\\evil.txt",
        "a\\..\\..\\evil.txt",
        ".../evil.txt",
        ". ./evil.txt",
        ".. /evil.txt",
        "/etc/evil.txt",
        "\\evil.txt",
        "\\\\server\\share\\evil.txt",
        "C:evil.txt",
        "C:\\evil.txt",
        "C:/evil.txt",
        "a/b:stream",
        std::string("a\0/../../evil.txt", 17),
        "a\tb",
        "a\x81\x1F", // lead byte with an invalid trail byte
    };
    for (const std::string& name : refused) {
        RelativePath result;
        EXPECT_FALSE(MakeRelativePath(name, false, result)) << name;
        EXPECT_FALSE(MakeRelativePath(name, true, result)) << name << " (UTF-8)";
    }
}

TEST(EntryName, FindsTheRealTrailingSeparator) {
    EXPECT_TRUE(EndsWithSeparator("E:\\kv\\"));
    EXPECT_TRUE(EndsWithSeparator("/tmp/kv/"));
    EXPECT_FALSE(EndsWithSeparator("E:\\kv"));
    EXPECT_FALSE(EndsWithSeparator("E:\\\x95\x5C")); // ends in a double-byte character
    EXPECT_TRUE(EndsWithSeparator("E:\\\x95\x5C\\"));
    EXPECT_FALSE(EndsWithSeparator(""));
}

} // namespace
