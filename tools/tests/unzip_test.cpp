#include "entry_name.h"
#include "sandbox.h"
#include "unzip.h"
#include "zip_builder.h"
#include <gtest/gtest.h>

namespace {

class Unzip : public ::testing::Test {
  protected:
    // Writes the archive as "package.zip" in the sandbox and unpacks it into "dest".
    int UnzipArchive(const ZipBuilder& builder) {
        sandbox.WriteFile("package.zip", builder.Build());
        return UnzipToFolder(sandbox.Path("package.zip"), sandbox.Path("dest") + kPathSeparator);
    }

    Sandbox sandbox;
};

TEST_F(Unzip, WritesFilesAndFolders) {
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(255 - i);
    std::string large(200000, 'k');
    ZipBuilder builder;
    builder.AddFile("kv.exe", binary);
    builder.AddFile("readme.txt", "stored", kZipMethodStored);
    builder.AddFile("doc/en/deep/manual.txt", large); // folders without their own entries
    builder.AddFolder("plugins/");
    builder.AddFile("empty.txt", "");
    builder.AddFile("\x95\x5C/\x95\x5C.txt", "double-byte names"); // 0x5C as second byte
    ASSERT_EQ(kUnzipOk, UnzipArchive(builder));

    EXPECT_EQ(binary, sandbox.ReadFile("dest/kv.exe"));
    EXPECT_EQ("stored", sandbox.ReadFile("dest/readme.txt"));
    EXPECT_EQ(large, sandbox.ReadFile("dest/doc/en/deep/manual.txt"));
    EXPECT_TRUE(sandbox.IsFolder("dest/plugins"));
    EXPECT_EQ("", sandbox.ReadFile("dest/empty.txt"));
    EXPECT_EQ("double-byte names", sandbox.ReadFile("dest/\x95\x5C/\x95\x5C.txt"));
}

TEST_F(Unzip, ReplacesExistingFilesAndKeepsOthers) {
    sandbox.MakeFolder("dest/doc");
    sandbox.WriteFile("dest/kv.exe", "an older and much longer program file");
    sandbox.WriteFile("dest/doc/readme.txt", "old readme");
    sandbox.WriteFile("dest/kv.ini", "user settings");
    ZipBuilder builder;
    builder.AddFile("kv.exe", "new");
    builder.AddFile("doc/readme.txt", "new readme", kZipMethodStored);
    ASSERT_EQ(kUnzipOk, UnzipArchive(builder));
    EXPECT_EQ("new", sandbox.ReadFile("dest/kv.exe"));
    EXPECT_EQ("new readme", sandbox.ReadFile("dest/doc/readme.txt"));
    EXPECT_EQ("user settings", sandbox.ReadFile("dest/kv.ini"));
}

TEST_F(Unzip, MakesAMissingDestinationButNotItsParent) {
    ZipBuilder builder;
    builder.AddFile("kv.exe", "program");
    ASSERT_EQ(kUnzipOk, UnzipArchive(builder));
    EXPECT_EQ("program", sandbox.ReadFile("dest/kv.exe"));

    EXPECT_EQ(kUnzipWriteFailed,
              UnzipToFolder(sandbox.Path("package.zip"), sandbox.Path("missing/dest")));
    EXPECT_FALSE(sandbox.Exists("missing"));
}

TEST_F(Unzip, AddsTheSeparatorThatTheDestinationLacks) {
    ZipBuilder builder;
    builder.AddFile("kv.exe", "program");
    sandbox.WriteFile("package.zip", builder.Build());
    ASSERT_EQ(kUnzipOk, UnzipToFolder(sandbox.Path("package.zip"), sandbox.Path("bare")));
    EXPECT_EQ("program", sandbox.ReadFile("bare/kv.exe"));
    // The folder name ends in a double-byte character whose second byte is 0x5C.
    ASSERT_EQ(kUnzipOk, UnzipToFolder(sandbox.Path("package.zip"), sandbox.Path("\x95\x5C")));
    EXPECT_EQ("program", sandbox.ReadFile("\x95\x5C/kv.exe"));
}

// A bad name anywhere in the archive refuses the whole archive before
// anything is written, inside the destination or outside it.
TEST_F(Unzip, RefusesNamesOutsideTheDestination) {
    sandbox.MakeFolder("dest/sub");
    const std::set<std::string> before = sandbox.List();
    const std::string names[] = {
        "../outside.txt",
        "sub/../../outside.txt",
        "..\\outside.txt",
        "sub\\..\\..\\outside.txt",
        sandbox.Path("outside.txt"), // absolute, into the sandbox
        "/outside.txt",
        "\\outside.txt",
        "C:outside.txt",
        "C:\\outside.txt",
    };
    for (const std::string& name : names) {
        ZipBuilder builder;
        builder.AddFile("good.txt", "good");
        builder.AddFile(name, "evil");
        EXPECT_EQ(kUnzipUnsafeName, UnzipArchive(builder)) << name;
        std::set<std::string> after = sandbox.List();
        after.erase("package.zip");
        EXPECT_EQ(before, after) << name;
    }
}

TEST_F(Unzip, FailsOnMissingBrokenOrUnsupportedArchives) {
    EXPECT_EQ(kUnzipArchiveUnreadable,
              UnzipToFolder(sandbox.Path("missing.zip"), sandbox.Path("dest")));
    sandbox.WriteFile("text.zip", "not an archive at all, just a text file of some length");
    EXPECT_EQ(kUnzipCorrupt, UnzipToFolder(sandbox.Path("text.zip"), sandbox.Path("dest")));

    ZipBuilder unsupported;
    unsupported.AddFile("a.txt", "a");
    unsupported.AddFile("b.txt", "b").method = 14;
    EXPECT_EQ(kUnzipUnsupported, UnzipArchive(unsupported));
    EXPECT_FALSE(sandbox.Exists("dest")); // refused before writing

    ZipBuilder damaged;
    damaged.AddFile("a.txt", "a");
    damaged.AddFile("b.txt", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbb").crc32 ^= 0x100;
    EXPECT_EQ(kUnzipCorrupt, UnzipArchive(damaged));
}

TEST_F(Unzip, FailsWhenAnEntryCannotBeWritten) {
    sandbox.MakeFolder("dest/kv.exe"); // a folder where the file goes
    ZipBuilder builder;
    builder.AddFile("kv.exe", "program");
    EXPECT_EQ(kUnzipWriteFailed, UnzipArchive(builder));

    sandbox.WriteFile("dest/doc", "a file where a folder goes");
    ZipBuilder nested;
    nested.AddFile("doc/readme.txt", "readme");
    EXPECT_EQ(kUnzipWriteFailed, UnzipArchive(nested));
}

TEST_F(Unzip, RunsTheInstallersCommandLine) {
    sandbox.MakeFolder("save dir");
    sandbox.MakeFolder("install dir");
    ZipBuilder builder;
    builder.AddFile("kv.exe", "program");
    sandbox.WriteFile("save dir/kv2025_0301.zip", builder.Build());
    // Both paths hold a blank and are quoted; the destination ends with a
    // separator right before its closing quote.
    std::string line = "-x -o \"" + sandbox.Path("save dir/kv2025_0301.zip") + "\" \"" +
                       sandbox.Path("install dir") + kPathSeparator + "\"";
    EXPECT_EQ(kUnzipOk, RunUnzipCommand(line.c_str()));
    EXPECT_EQ("program", sandbox.ReadFile("install dir/kv.exe"));

    sandbox.WriteFile("plain.zip", builder.Build());
    line = "-x -o " + sandbox.Path("plain.zip") + " " + sandbox.Path("plain") + kPathSeparator;
    EXPECT_EQ(kUnzipOk, RunUnzipCommand(line.c_str()));
    EXPECT_EQ("program", sandbox.ReadFile("plain/kv.exe"));

    line = "e -m1 -c1 " + sandbox.Path("plain.zip") + " " + sandbox.Path("other") + kPathSeparator;
    EXPECT_EQ(kUnzipBadCommand, RunUnzipCommand(line.c_str()));
    EXPECT_FALSE(sandbox.Exists("other"));
}

} // namespace
