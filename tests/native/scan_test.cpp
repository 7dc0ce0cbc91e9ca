// The package scan: which package wins, its time, and the installed program's.
#include "core_fixture.h"
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

FileTime At(long long unixSeconds) { // 100 ns ticks since 1601
    const unsigned long long ticks = (unixSeconds + 11644473600ULL) * 10000000ULL;
    return {static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

std::string Describe(const SystemTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d %d %d", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wDayOfWeek, t.wMilliseconds);
    return text;
}

bool IsZero(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
}

// Entries under C:\ in listing order; "D:" marks a folder. Files are read-only
// and archived (0x21), as downloaded files often are.
void Scan(Core& core, const std::vector<std::string>& entries, const char* addName) {
    for (const std::string& entry : entries) {
        if (entry.compare(0, 2, "D:") == 0)
            core.platform.files.AddDirectory("C:\\" + entry.substr(2));
        else
            core.platform.files.AddFile("C:\\" + entry, "", At(1707552303), 0x21);
    }
    SetText(core.installer.m_saveDir, "C:\\dl");
    SetText(core.installer.m_installDir, "C:\\kv");
    SetText(core.installer.m_addName, addName);
    core.installer.ScanPackages();
}

const std::vector<std::string> kWorkedExample = {
    "dl\\kv2024_0301_.lzh",  "dl\\kv2024_0115.lzh", "dl\\kv2023_1224_.zip",
    "dl\\kv202403011.zip",   "dl\\kv2024_0301.zip", "dl\\kv2024_03010.zip",
    "D:dl\\kv2025_0101.zip", "dl\\readme.txt",      "kv\\kv.exe"};

TEST(Scan, SelectsTheNewestPackage) {
    std::vector<std::string> withoutE = kWorkedExample;
    withoutE.erase(withoutE.begin() + 4);
    const char* noTime = "0-0-0 0:0:0 0 0";
    const struct {
        const char* name;
        std::vector<std::string> entries;
        const char* addName;
        std::string package;
        int archiver;
        std::string packageTime, installed;
        int offsetMinutes = 0;
    } rows[] = {
        {"WorkedExample", kWorkedExample, "", "kv2024_0301.zip", 1, "2024-3-1 23:59:59 0 0",
         "2024-02-10 08:05:03"},
        {"WithoutE", withoutE, "", "kv2024_0301_.lzh", 0, "2024-3-1 23:59:59 0 0",
         "2024-02-10 08:05:03"},
        {"NothingWellFormed",
         {"dl\\kvA024_0115.zip", "dl\\kv2024_011x.zip", "dl\\kv20240_115.zip",
          "dl\\kv202_40115.zip", "dl\\kv2024_01/5.zip", "dl\\kv2024_01:5.zip", "dl\\kv2024_011.zip",
          "dl\\kv.2024_0115_.lzh", "dl\\kv2024_01\x88\x9F.zip", "dl\\kv1990_0100.zip",
          "dl\\kv1989_1231.lzh", "D:kv\\kv.exe"},
         "",
         "",
         -1,
         noTime,
         ""},
        {"Baseline",
         {"dl\\kv1990_0101.lzh"},
         "",
         "kv1990_0101.lzh",
         0,
         "1990-1-1 23:59:59 0 0",
         ""},
        {"PlainFormWinsTie",
         {"dl\\kv2024_0115.lzh", "dl\\kv2024_0115_.lzh"},
         "",
         "kv2024_0115.lzh",
         0,
         "2024-1-15 23:59:59 0 0",
         ""},
        {"ZipWinsTie",
         {"dl\\kv2024_0115.zip", "dl\\kv2024_0115.lzh"},
         "",
         "kv2024_0115.zip",
         1,
         "2024-1-15 23:59:59 0 0",
         ""},
        {"UnderscoreAboveDigit",
         {"dl\\kv2024_0115.lzh", "dl\\kv202401155.zip"},
         "",
         "kv2024_0115.lzh",
         0,
         "2024-1-15 23:59:59 0 0",
         ""},
        {"NineDigits",
         {"dl\\kv202401155.zip", "dl\\kv2023_1231.lzh"},
         "",
         "kv202401155.zip",
         1,
         "2024-11-55 23:59:59 0 0",
         ""},
        {"AddName",
         {"dl\\kv2024_0115.zip.old", "dl\\kv2024_0116.zip"},
         ".old",
         "kv2024_0115.zip.old",
         1,
         "2024-1-15 23:59:59 0 0",
         ""},
        {"UpperCase",
         {"dl\\KV2024_0115.LZH"},
         "",
         "KV2024_0115.LZH",
         0,
         "2024-1-15 23:59:59 0 0",
         ""},
        {"FirstDotDecides",
         {"dl\\kv2024_0115X.old_.lzh"},
         "",
         "kv2024_0115X.old_.lzh",
         0,
         "2024-1-15 23:59:59 0 0",
         ""},
        {"LocalTime", {"kv\\kv.exe"}, "", "", -1, noTime, "2024-02-10 17:05:03", 540},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Core core;
        core.platform.localOffsetMinutes = row.offsetMinutes;
        Scan(core, row.entries, row.addName);
        const CInstaller& in = core.installer;
        EXPECT_EQ(
            core.window.fields,
            (std::map<int, std::string>{
                {1001, "C:\\kv"}, {1002, "C:\\dl"}, {1003, row.package}, {1004, row.installed}}));
        EXPECT_EQ(in.m_archiver, row.archiver);
        EXPECT_EQ(Describe(in.m_packageTime), row.packageTime);
        EXPECT_EQ(in.m_packageFind.dwFileAttributes, row.package.empty() ? 0u : 0x21u);
        EXPECT_TRUE(!row.package.empty() || IsZero(&in.m_packageFind, sizeof in.m_packageFind));
        EXPECT_TRUE(!row.installed.empty() ||
                    (IsZero(&in.m_installedFind, sizeof in.m_installedFind) &&
                     IsZero(&in.m_installedTime, sizeof in.m_installedTime)));
        EXPECT_EQ(in.m_deleteFile, 0x5A5A5A5A); // the field after the times is left alone
        EXPECT_EQ(core.platform.openListings, 0);
    }
}

// Four searches, row by row, each pattern in turn; a pattern that would not
// fit its 260-byte buffer is not searched.
TEST(Scan, SearchesInRowAndPatternOrder) {
    Core core;
    Scan(core, {}, "");
    EXPECT_EQ(core.platform.log,
              (Events{"find C:\\dl\\kv*_.lzh", "find C:\\dl\\kv*.lzh", "find C:\\dl\\kv*_.zip",
                      "find C:\\dl\\kv*.zip", "find C:\\kv\\kv.exe"}));
    const std::string dir = "C:\\" + std::string(248, 'd'); // 251 bytes
    SetText(core.installer.m_saveDir, dir);
    SetText(core.installer.m_installDir, dir + "dd"); // "%s\\kv.exe" takes 260 bytes
    core.platform.log.clear();
    core.installer.ScanPackages();
    EXPECT_EQ(core.platform.log,
              (Events{"find " + dir + "\\kv*.lzh", "find " + dir + "\\kv*.zip"}));
}

} // namespace
