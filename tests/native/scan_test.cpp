// The package scan: which package wins, its time, and the installed program's.
#include "fake_platform.h"
#include <gtest/gtest.h>
#include <sstream>

// Blank-separated entries of the save folder C:\dl, read-only and archived (0x21) as
// downloads often are, written 2024-02-10 08:05:03 UTC; "D:" makes a folder, and kv.exe
// goes to the install folder.
static void Scan(Core& c, const std::string& entries, const std::string& addName,
                 const std::string& installDir) {
    std::istringstream names(entries);
    for (std::string name; names >> name;) {
        const bool folder = name.compare(0, 2, "D:") == 0;
        name.erase(0, folder ? 2 : 0);
        const std::string path = (name == "kv.exe" ? installDir : "C:\\dl") + "\\" + name;
        c.fake.files.push_back({path, folder ? 0x10u : 0x21u, {0xD9CD2180, 0x01DA5BF7}});
    }
    SetText(c.in.m_saveDir, "C:\\dl");
    SetText(c.in.m_installDir, installDir);
    SetText(c.in.m_addName, addName);
    c.in.ScanPackages();
}

TEST(Scan, SelectsTheNewestPackage) {
    const std::string worked = "kv2024_0301_.lzh kv2024_0115.lzh kv2023_1224_.zip kv202403011.zip";
    const std::string rest = " kv2024_03010.zip D:kv2025_0101.zip readme.txt kv.exe";
    const std::string at = "2024-02-10 17:05:03", kv252 = "C:\\" + std::string(249, 'k');
    const struct {
        std::string entries, package;
        int archiver, date;
        std::string installed, addName = "", installDir = "C:\\kv";
    } rows[] = {
        // clang-format off
        {worked + " kv2024_0301.zip" + rest, "kv2024_0301.zip", 1, 20240301, at},
        {worked + rest, "kv2024_0301_.lzh", 0, 20240301, at},
        {"kvA024_0115.zip kv2024_011x.zip kv20240_115.zip kv202_40115.zip kv2024_01/5.zip "
         "kv2024_01:5.zip kv2024_011.zip kv.2024_0115_.lzh kv2024_01\x88\x9F.zip kv1990_0100.zip "
         "kv1989_1231.lzh D:kv.exe", "", -1, 0, ""},
        {"kv1990_0101.lzh", "kv1990_0101.lzh", 0, 19900101, ""},
        {"kv2024_0115.lzh kv2024_0115_.lzh", "kv2024_0115.lzh", 0, 20240115, ""},
        {"kv2024_0115.zip kv2024_0115.lzh", "kv2024_0115.zip", 1, 20240115, ""},
        {"kv2024_0115.lzh kv202401155.zip", "kv2024_0115.lzh", 0, 20240115, ""},
        {"kv202401155.zip kv2023_1231.lzh", "kv202401155.zip", 1, 20241155, ""},
        {"KV2024_0115.LZH kv2024_0115X.old_.zip", "kv2024_0115X.old_.zip", 1, 20240115, ""},
        {"KV2024_0115.LZH", "KV2024_0115.LZH", 0, 20240115, ""},
        {"kv2024_0115.zip.old kv2024_0116.zip", "kv2024_0115.zip.old", 1, 20240115, "", ".old"},
        {"kv.exe", "", -1, 0, at, "", kv252}, // "%s\kv.exe" just fits
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entries);
        Core c;
        Scan(c, row.entries, row.addName, row.installDir);
        const std::uint16_t d = row.date % 100, m = row.date / 100 % 100, y = row.date / 10000;
        const SystemTime time = row.date ? SystemTime{y, m, 0, d, 23, 59, 59, 0} : SystemTime{},
                         zero{};
        const FindData none{};
        EXPECT_EQ(c.fake.fields, (Fields{{1001, row.installDir},
                                         {1002, "C:\\dl"},
                                         {1003, row.package},
                                         {1004, row.installed}}));
        EXPECT_EQ(c.in.m_archiver, row.archiver);
        EXPECT_EQ(std::memcmp(&c.in.m_packageTime, &time, sizeof time), 0);
        EXPECT_EQ(c.in.m_packageFind.dwFileAttributes, row.package.empty() ? 0u : 0x21u);
        EXPECT_TRUE(!row.package.empty() || !std::memcmp(&c.in.m_packageFind, &none, sizeof none));
        EXPECT_TRUE(!row.installed.empty() ||
                    (!std::memcmp(&c.in.m_installedFind, &none, sizeof none) &&
                     !std::memcmp(&c.in.m_installedTime, &zero, sizeof zero)));
        EXPECT_EQ(c.in.m_deleteFile, 0x5A5A5A5A); // the field after the times is left alone
        EXPECT_EQ(c.fake.openListings, 0);
    }
    Core c; // four searches, by row and pattern, then the installed program
    Scan(c, "", "", "C:\\kv");
    EXPECT_EQ(c.fake.log,
              (Events{"find C:\\dl\\kv*_.lzh", "find C:\\dl\\kv*.lzh", "find C:\\dl\\kv*_.zip",
                      "find C:\\dl\\kv*.zip", "find C:\\kv\\kv.exe"}));
    const std::string dir(251, 'd'), far(253, 'k'); // with \kv*_.lzh, \kv.exe: 260 bytes
    SetText(c.in.m_saveDir, dir);
    SetText(c.in.m_installDir, far);
    c.fake.log.clear();
    c.in.ScanPackages();
    EXPECT_EQ(c.fake.log, (Events{"find " + dir + "\\kv*.lzh", "find " + dir + "\\kv*.zip"}));
}
