// The package scan over fake save and install folders.
#include "fake_calendar.h"
#include "installer_fixture.h"
#include <string>
#include <vector>

namespace {

struct Listed {
    std::string name;
    bool isDirectory;
};

class ScanTest : public InstallerTest {
  protected:
    void SetUp() override {
        SetText(installer.m_saveDir, "D:\\dl");
        SetText(installer.m_installDir, "E:\\kv");
        platform.files.AddDirectory("D:\\dl");
        platform.files.AddDirectory("E:\\kv");
    }

    void AddToSaveFolder(const std::vector<Listed>& entries) {
        for (const Listed& entry : entries) {
            const std::string path = "D:\\dl\\" + entry.name;
            if (entry.isDirectory)
                platform.files.AddDirectory(path);
            else
                platform.files.AddFile(path, "package " + entry.name);
        }
    }

    void ExpectNoPackage() {
        EXPECT_EQ(window.fields[kIdcPackageName], "");
        EXPECT_EQ(installer.m_archiver, -1);
        EXPECT_TRUE(IsAllZero(&installer.m_packageFind, sizeof installer.m_packageFind));
        EXPECT_TRUE(IsAllZero(&installer.m_packageTime, sizeof installer.m_packageTime));
    }

    void ExpectNoInstalledProgram() {
        EXPECT_EQ(window.fields[kIdcInstalledDate], "");
        EXPECT_TRUE(IsAllZero(&installer.m_installedFind, sizeof installer.m_installedFind));
        EXPECT_TRUE(IsAllZero(&installer.m_installedTime, sizeof installer.m_installedTime));
    }
};

TEST_F(ScanTest, WorkedExampleSelectsThePlainZipOfTheHighestStamp) {
    AddToSaveFolder({{"kv2024_0301_.lzh", false},
                     {"kv2024_0115.lzh", false},
                     {"kv2023_1224_.zip", false},
                     {"kv202403011.zip", false},
                     {"kv2024_0301.zip", false},
                     {"kv2024_03010.zip", false},
                     {"kv2025_0101.zip", true},
                     {"readme.txt", false}});
    platform.files.AddFile("E:\\kv\\kv.exe", "", FileTimeFromDate(2024, 2, 10, 8, 5, 3, 250));

    installer.ScanPackages();

    EXPECT_EQ(EventsStartingWith("find:"),
              (std::vector<std::string>{"find:D:\\dl\\kv*_.lzh", "find:D:\\dl\\kv*.lzh",
                                        "find:D:\\dl\\kv*_.zip", "find:D:\\dl\\kv*.zip",
                                        "find:E:\\kv\\kv.exe"}));
    EXPECT_EQ(platform.OpenListings(), 0);
    EXPECT_EQ(window.fields[kIdcInstallDir], "E:\\kv");
    EXPECT_EQ(window.fields[kIdcSaveDir], "D:\\dl");
    EXPECT_EQ(window.fields[kIdcPackageName], "kv2024_0301.zip");
    EXPECT_EQ(installer.m_archiver, 1);
    // The whole listing record is kept, not only its name.
    EXPECT_EQ(installer.m_packageFind.nFileSizeLow, std::string("package kv2024_0301.zip").size());
    const SystemTime& p = installer.m_packageTime;
    EXPECT_EQ((std::vector<int>{p.wYear, p.wMonth, p.wDay, p.wHour, p.wMinute, p.wSecond,
                                p.wDayOfWeek, p.wMilliseconds}),
              (std::vector<int>{2024, 3, 1, 23, 59, 59, 0, 0}));
    EXPECT_STREQ(installer.m_installedFind.cFileName, "kv.exe");
    EXPECT_EQ(window.fields[kIdcInstalledDate], "2024-02-10 08:05:03");
    EXPECT_EQ(installer.m_installedTime.wMilliseconds, 250);
}

TEST_F(ScanTest, WorkedExampleWithoutThePlainZipKeepsTheLha) {
    AddToSaveFolder({{"kv2024_0301_.lzh", false},
                     {"kv2024_0115.lzh", false},
                     {"kv2023_1224_.zip", false},
                     {"kv202403011.zip", false},
                     {"kv2024_03010.zip", false},
                     {"kv2025_0101.zip", true}});
    installer.ScanPackages();
    EXPECT_EQ(window.fields[kIdcPackageName], "kv2024_0301_.lzh");
    EXPECT_EQ(installer.m_archiver, 0);
}

struct SelectionCase {
    const char* title;
    std::vector<Listed> entries; // in creation, and so listing, order
    const char* addName;
    const char* selected; // "" for none
    int archiver;
};

class ScanSelection : public ScanTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(ScanSelection, SelectsTheExpectedPackage) {
    const SelectionCase& c = GetParam();
    SetText(installer.m_addName, c.addName);
    AddToSaveFolder(c.entries);
    installer.ScanPackages();
    EXPECT_EQ(window.fields[kIdcPackageName], c.selected);
    EXPECT_STREQ(installer.m_packageFind.cFileName, c.selected);
    EXPECT_EQ(installer.m_archiver, c.archiver);
    if (c.selected[0] == '\0')
        ExpectNoPackage();
}

INSTANTIATE_TEST_SUITE_P(
    Listings, ScanSelection,
    ::testing::Values(
        SelectionCase{"ZipBeatsLhaOfEqualStamp",
                      {{"kv2024_0115.zip", false}, {"kv2024_0115.lzh", false}},
                      "",
                      "kv2024_0115.zip",
                      1},
        SelectionCase{"PlainBeatsUnderscoreOfEqualStamp",
                      {{"kv2024_0115.lzh", false}, {"kv2024_0115_.lzh", false}},
                      "",
                      "kv2024_0115.lzh",
                      0},
        SelectionCase{"UnderscoreZipBeatsPlainLhaOfEqualStamp",
                      {{"kv2024_0115.lzh", false}, {"kv2024_0115_.zip", false}},
                      "",
                      "kv2024_0115_.zip",
                      1},
        SelectionCase{"HigherLhaBeatsLowerZip",
                      {{"kv2024_0116_.lzh", false}, {"kv2024_0115.zip", false}},
                      "",
                      "kv2024_0116_.lzh",
                      0},
        SelectionCase{
            "DirectoryNeverSelected",
            {{"kv2025_0101.lzh", true}, {"kv2024_0115.lzh", false}, {"kv2026_0101_.zip", true}},
            "",
            "kv2024_0115.lzh",
            0},
        SelectionCase{
            "OnlyDirectories", {{"kv2025_0101.lzh", true}, {"kv2025_0101.zip", true}}, "", "", -1},
        SelectionCase{"AddNameMustEndTheName",
                      {{"kv2024_0115.zip.old", false}, {"kv2024_0116.zip", false}},
                      ".old",
                      "kv2024_0115.zip.old",
                      1},
        SelectionCase{"WildcardAddNameLastListedWins",
                      {{"kv2024_0115.zip", false}, {"kv2024_0115.zip.bak", false}},
                      "*",
                      "kv2024_0115.zip.bak",
                      1},
        SelectionCase{
            "UpperCaseShownAsListed", {{"KV2024_0115.LZH", false}}, "", "KV2024_0115.LZH", 0},
        SelectionCase{"DoubleByteStampRejected",
                      {{"kv2024_01表.lzh", false}, {"kv2024_011ｱ.zip", false}},
                      "",
                      "",
                      -1},
        SelectionCase{"ByteBeforeFirstDotDropped",
                      {{"kv2024_0115X.old_.lzh", false}},
                      "",
                      "kv2024_0115X.old_.lzh",
                      0},
        SelectionCase{"DotAfterPrefixRejected", {{"kv.2024_0115_.lzh", false}}, "", "", -1},
        SelectionCase{"BaselineAccepted", {{"kv1990_0101.lzh", false}}, "", "kv1990_0101.lzh", 0},
        SelectionCase{"BelowBaselineNever",
                      {{"kv1990_0100.lzh", false}, {"kv1989_1231_.zip", false}},
                      "",
                      "",
                      -1},
        SelectionCase{"NineDigitsLoseToUnderscore",
                      {{"kv2024_0115.lzh", false}, {"kv202401155.zip", false}},
                      "",
                      "kv2024_0115.lzh",
                      0},
        SelectionCase{"OtherFilesOnly", {{"readme.txt", false}, {"kv.exe", false}}, "", "", -1}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return info.param.title; });

TEST_F(ScanTest, StampIsTakenAsWrittenNotCheckedAgainstTheCalendar) {
    struct {
        const char* name;
        int month;
        int day;
    } cases[] = {{"kv202401155.zip", 11, 55}, {"kv2024_1340.lzh", 13, 40}};
    for (const auto& c : cases) {
        AddToSaveFolder({{c.name, false}});
        installer.ScanPackages();
        EXPECT_EQ(window.fields[kIdcPackageName], c.name);
        EXPECT_EQ(installer.m_packageTime.wYear, 2024);
        EXPECT_EQ(installer.m_packageTime.wMonth, c.month);
        EXPECT_EQ(installer.m_packageTime.wDay, c.day);
        platform.files.Remove(std::string("D:\\dl\\") + c.name);
    }
}

TEST_F(ScanTest, AddNameFollowsTheExtensionInEveryPattern) {
    SetText(installer.m_addName, ".old");
    installer.ScanPackages();
    EXPECT_EQ(EventsStartingWith("find:"),
              (std::vector<std::string>{"find:D:\\dl\\kv*_.lzh.old", "find:D:\\dl\\kv*.lzh.old",
                                        "find:D:\\dl\\kv*_.zip.old", "find:D:\\dl\\kv*.zip.old",
                                        "find:E:\\kv\\kv.exe"}));
}

TEST_F(ScanTest, RescanForgetsTheEarlierResult) {
    AddToSaveFolder({{"kv2024_0115.zip", false}});
    platform.files.AddFile("E:\\kv\\kv.exe", "", FileTimeFromDate(2024, 2, 10, 8, 5, 3));
    installer.ScanPackages();
    ASSERT_EQ(installer.m_archiver, 1);
    ASSERT_EQ(window.fields[kIdcInstalledDate], "2024-02-10 08:05:03");

    SetText(installer.m_saveDir, "D:\\empty");
    SetText(installer.m_installDir, "E:\\none");
    installer.ScanPackages();
    EXPECT_EQ(window.fields[kIdcSaveDir], "D:\\empty");
    EXPECT_EQ(window.fields[kIdcInstallDir], "E:\\none");
    ExpectNoPackage();
    ExpectNoInstalledProgram();
}

TEST_F(ScanTest, KvExeMissingOrADirectoryCountsAsNotInstalled) {
    installer.ScanPackages();
    ExpectNoInstalledProgram();

    platform.files.AddDirectory("E:\\kv\\kv.exe");
    installer.ScanPackages();
    ExpectNoInstalledProgram();
    EXPECT_EQ(platform.OpenListings(), 0);
}

TEST_F(ScanTest, InstalledTimeIsShownInLocalTime) {
    struct {
        int offsetMinutes;
        FileTime utc;
        const char* shown;
        int dayOfWeek;
    } cases[] = {
        {540, FileTimeFromDate(2024, 2, 9, 23, 5, 3), "2024-02-10 08:05:03", 6},
        {-60, FileTimeFromDate(2024, 1, 1, 0, 30, 30), "2023-12-31 23:30:30", 0},
        {0, FileTimeFromDate(2000, 2, 29, 0, 0, 0), "2000-02-29 00:00:00", 2},
    };
    for (const auto& c : cases) {
        platform.localOffsetMinutes = c.offsetMinutes;
        platform.files.AddFile("E:\\kv\\kv.exe", "", c.utc);
        installer.ScanPackages();
        EXPECT_EQ(window.fields[kIdcInstalledDate], c.shown);
        EXPECT_EQ(installer.m_installedTime.wDayOfWeek, c.dayOfWeek) << c.shown;
    }
}

// The underscore pattern is one byte longer than the plain one: with a save
// folder and add-name that fill the plain pattern to 259 bytes, only the
// underscore searches are skipped, and nothing is searched under a cut pattern.
TEST_F(ScanTest, PatternTooLongForItsBufferSkipsThatSearch) {
    const std::string saveDir = "D:\\" + std::string(237, 'd');
    const std::string addName = "." + std::string(10, 'a');
    ASSERT_EQ(saveDir.size() + std::string("\\kv*.zip").size() + addName.size(), 259u);
    SetText(installer.m_saveDir, saveDir);
    SetText(installer.m_addName, addName);
    platform.files.AddFile(saveDir + "\\kv2024_0115_.zip" + addName);
    platform.files.AddFile(saveDir + "\\kv2024_0114.lzh" + addName);

    installer.ScanPackages();

    EXPECT_EQ(EventsStartingWith("find:"),
              (std::vector<std::string>{"find:" + saveDir + "\\kv*.lzh" + addName,
                                        "find:" + saveDir + "\\kv*.zip" + addName,
                                        "find:E:\\kv\\kv.exe"}));
    EXPECT_EQ(window.fields[kIdcPackageName], "kv2024_0114.lzh" + addName);
}

TEST_F(ScanTest, InstallFolderTooLongForTheProgramPathIsNotSearched) {
    for (std::size_t length : {252u, 253u}) {
        const std::string installDir = "E:\\" + std::string(length - 3, 'i');
        SetText(installer.m_installDir, installDir);
        platform.files.AddFile(installDir + "\\kv.exe", "", FileTimeFromDate(2024, 2, 10, 8, 5, 3));
        platform.events.clear();

        installer.ScanPackages();

        if (length == 252) {
            EXPECT_EQ(EventsStartingWith("find:E:").size(), 1u);
            EXPECT_EQ(window.fields[kIdcInstalledDate], "2024-02-10 08:05:03");
        } else {
            EXPECT_TRUE(EventsStartingWith("find:E:").empty());
            ExpectNoInstalledProgram();
        }
    }
}

} // namespace
