// The package scan: which package wins, its time, and the installed program's.
#include "core_fixture.h"
#include <algorithm>
#include <sstream>

namespace {

bool IsZero(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
}

// Blank-separated names of files in C:\dl, read-only and archived (0x21) as
// downloads often are; kv.exe goes to C:\kv, and "D:" makes a folder.
void Scan(Core& core, const std::string& entries, const std::string& addName = "") {
    std::istringstream names(entries);
    for (std::string name; names >> name;) {
        if (name.compare(0, 2, "D:") == 0)
            core.fake.files.AddDirectory("C:\\dl\\" + name.substr(2));
        else // 2024-02-10 08:05:03 UTC
            core.fake.files.AddFile((name == "kv.exe" ? "C:\\kv\\" : "C:\\dl\\") + name, "",
                                    {0xD9CD2180, 0x01DA5BF7}, 0x21);
    }
    SetText(core.in.m_saveDir, "C:\\dl");
    SetText(core.in.m_installDir, "C:\\kv");
    SetText(core.in.m_addName, addName);
    core.in.ScanPackages();
}

TEST(Scan, SelectsTheNewestPackage) {
    const std::string worked = "kv2024_0301_.lzh kv2024_0115.lzh kv2023_1224_.zip kv202403011.zip";
    const std::string rest = " kv2024_03010.zip D:kv2025_0101.zip readme.txt kv.exe";
    const std::string installed = "2024-02-10 08:05:03";
    const struct {
        std::string entries, addName, package;
        int archiver;
        std::string date, installed;
        int offsetMinutes;
    } rows[] = {
        {worked + " kv2024_0301.zip" + rest, "", "kv2024_0301.zip", 1, "2024-3-1", installed, 0},
        {worked + rest, "", "kv2024_0301_.lzh", 0, "2024-3-1", installed, 0},
        {"kvA024_0115.zip kv2024_011x.zip kv20240_115.zip kv202_40115.zip kv2024_01/5.zip "
         "kv2024_01:5.zip kv2024_011.zip kv.2024_0115_.lzh kv2024_01\x88\x9F.zip kv1990_0100.zip "
         "kv1989_1231.lzh D:kv.exe",
         "", "", -1, "0-0-0", "", 0},
        {"kv1990_0101.lzh", "", "kv1990_0101.lzh", 0, "1990-1-1", "", 0},
        {"kv2024_0115.lzh kv2024_0115_.lzh", "", "kv2024_0115.lzh", 0, "2024-1-15", "", 0},
        {"kv2024_0115.zip kv2024_0115.lzh", "", "kv2024_0115.zip", 1, "2024-1-15", "", 0},
        {"kv2024_0115.lzh kv202401155.zip", "", "kv2024_0115.lzh", 0, "2024-1-15", "", 0},
        {"kv202401155.zip kv2023_1231.lzh", "", "kv202401155.zip", 1, "2024-11-55", "", 0},
        {"kv2024_0115.zip.old kv2024_0116.zip", ".old", "kv2024_0115.zip.old", 1, "2024-1-15", "",
         0},
        {"KV2024_0115.LZH kv2024_0115X.old_.zip", "", "kv2024_0115X.old_.zip", 1, "2024-1-15", "",
         0},
        {"KV2024_0115.LZH", "", "KV2024_0115.LZH", 0, "2024-1-15", "", 0},
        {"kv.exe", "", "", -1, "0-0-0", "2024-02-10 17:05:03", 540},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entries);
        Core core;
        core.fake.localOffsetMinutes = row.offsetMinutes;
        Scan(core, row.entries, row.addName);
        const SystemTime& t = core.in.m_packageTime;
        EXPECT_EQ(
            core.fake.fields,
            (std::map<int, std::string>{
                {1001, "C:\\kv"}, {1002, "C:\\dl"}, {1003, row.package}, {1004, row.installed}}));
        EXPECT_EQ(core.in.m_archiver, row.archiver);
        EXPECT_EQ(std::to_string(t.wYear) + "-" + std::to_string(t.wMonth) + "-" +
                      std::to_string(t.wDay) + " " + std::to_string(t.wHour) + ":" +
                      std::to_string(t.wMinute) + ":" + std::to_string(t.wSecond) +
                      std::to_string(t.wDayOfWeek + t.wMilliseconds),
                  row.date + (row.package.empty() ? " 0:0:00" : " 23:59:590"));
        EXPECT_EQ(core.in.m_packageFind.dwFileAttributes, row.package.empty() ? 0u : 0x21u);
        EXPECT_TRUE(!row.package.empty() || IsZero(&core.in.m_packageFind, sizeof(FindData)));
        EXPECT_TRUE(!row.installed.empty() || (IsZero(&core.in.m_installedFind, sizeof(FindData)) &&
                                               IsZero(&core.in.m_installedTime, sizeof t)));
        EXPECT_EQ(core.in.m_deleteFile, 0x5A5A5A5A); // the field after the times is left alone
        EXPECT_EQ(core.fake.openListings, 0);
    }
}

// Four searches, row by row, each pattern in turn; a pattern that does not fit
// its 260-byte buffer is not searched.
TEST(Scan, SearchesInRowAndPatternOrder) {
    Core core;
    Scan(core, "");
    EXPECT_EQ(core.fake.log,
              (Events{"find C:\\dl\\kv*_.lzh", "find C:\\dl\\kv*.lzh", "find C:\\dl\\kv*_.zip",
                      "find C:\\dl\\kv*.zip", "find C:\\kv\\kv.exe"}));
    const std::string dir = "C:\\" + std::string(248, 'd'); // the "_." pattern takes 260 bytes
    SetText(core.in.m_saveDir, dir);
    SetText(core.in.m_installDir, dir + "dd"); // and so does "%s\kv.exe" here
    core.fake.log.clear();
    core.in.ScanPackages();
    EXPECT_EQ(core.fake.log, (Events{"find " + dir + "\\kv*.lzh", "find " + dir + "\\kv*.zip"}));
}

} // namespace
