// The package scan on real folders through CWin32Platform. Run with TZ set to
// Asia/Tokyo (UTC+9, no daylight saving), so the installed program's time is
// shown nine hours after its UTC write time.
#include "installer.h"
#include "recording_window.h"
#include "temp_folder.h"
#include "win32_platform.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

// Sets a file's last-write time, given in UTC.
void SetLastWriteUtc(const std::string& path, WORD year, WORD month, WORD day, WORD hour,
                     WORD minute, WORD second) {
    SYSTEMTIME utc = {};
    utc.wYear = year;
    utc.wMonth = month;
    utc.wDay = day;
    utc.wHour = hour;
    utc.wMinute = minute;
    utc.wSecond = second;
    FILETIME time;
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &time));
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
}

class ScanOnDisk : public ::testing::Test {
  protected:
    TempFolder folder{"kvscan"};
    CWin32Platform platform;
    CRecordingWindow window;
    CInstaller installer{platform, window};

    void UseFolders(const std::string& save, const std::string& install) {
        ASSERT_LT(folder.Path(save).size(), sizeof installer.m_saveDir);
        ASSERT_LT(folder.Path(install).size(), sizeof installer.m_installDir);
        std::strcpy(installer.m_saveDir, folder.Path(save).c_str());
        std::strcpy(installer.m_installDir, folder.Path(install).c_str());
    }

    void ExpectPackageTime(WORD year, WORD month, WORD day) {
        const SystemTime& t = installer.m_packageTime;
        EXPECT_EQ(year, t.wYear);
        EXPECT_EQ(month, t.wMonth);
        EXPECT_EQ(day, t.wDay);
        EXPECT_EQ(23, t.wHour);
        EXPECT_EQ(59, t.wMinute);
        EXPECT_EQ(59, t.wSecond);
        EXPECT_EQ(0, t.wDayOfWeek);
        EXPECT_EQ(0, t.wMilliseconds);
    }
};

TEST(LocalTime, TheTestRunsNineHoursAheadOfUtc) {
    TIME_ZONE_INFORMATION zone;
    const DWORD kind = GetTimeZoneInformation(&zone);
    EXPECT_NE(TIME_ZONE_ID_INVALID, kind);
    EXPECT_EQ(-540, zone.Bias); // minutes to add to local time to get UTC
}

TEST_F(ScanOnDisk, TheWorkedExampleSelectsThePlainZipAndShowsLocalTime) {
    folder.MakeFolder("save");
    for (const char* name :
         {"kv2024_0301_.lzh", "kv2024_0115.lzh", "kv2023_1224_.zip", "kv202403011.zip",
          "kv2024_0301.zip", "kv2024_03010.zip", "readme.txt"})
        folder.WriteFile(std::string("save\\") + name, "package");
    folder.MakeFolder("save\\kv2025_0101.zip");
    folder.MakeFolder("inst");
    folder.WriteFile("inst\\kv.exe", "program");
    SetLastWriteUtc(folder.Path("inst\\kv.exe"), 2024, 2, 9, 23, 5, 3);
    UseFolders("save", "inst");

    installer.ScanPackages();
    EXPECT_EQ(folder.Path("inst"), window.fields[kIdcInstallDir]);
    EXPECT_EQ(folder.Path("save"), window.fields[kIdcSaveDir]);
    EXPECT_EQ("kv2024_0301.zip", window.fields[kIdcPackageName]);
    EXPECT_EQ("2024-02-10 08:05:03", window.fields[kIdcInstalledDate]);
    EXPECT_STREQ("kv2024_0301.zip", installer.m_packageFind.cFileName);
    EXPECT_EQ(1, installer.m_archiver);
    ExpectPackageTime(2024, 3, 1);
    EXPECT_STREQ("kv.exe", installer.m_installedFind.cFileName);
    EXPECT_EQ(2024, installer.m_installedTime.wYear);
    EXPECT_EQ(10, installer.m_installedTime.wDay);
    EXPECT_EQ(8, installer.m_installedTime.wHour);
    EXPECT_EQ(6, installer.m_installedTime.wDayOfWeek); // a Saturday

    // A scan after the folders changed forgets the earlier result.
    UseFolders("missing", "missing");
    installer.ScanPackages();
    EXPECT_EQ("", window.fields[kIdcPackageName]);
    EXPECT_EQ("", window.fields[kIdcInstalledDate]);
    EXPECT_EQ(-1, installer.m_archiver);
    EXPECT_STREQ("", installer.m_installedFind.cFileName);
    const SystemTime none = {};
    EXPECT_EQ(0, std::memcmp(&none, &installer.m_packageTime, sizeof none));
    EXPECT_EQ(0, std::memcmp(&none, &installer.m_installedTime, sizeof none));
}

// 表 is 0x95 0x5C; at the end of a folder name it puts a 0x5C byte right
// before the pattern's own backslash.
TEST_F(ScanOnDisk, FoldersWhoseNamesEndIn表AreSearched) {
    folder.MakeFolder("dl表");
    folder.WriteFile("dl表\\kv2025_0101_.lzh", "package");
    folder.WriteFile("dl表\\kv2024_1231.zip", "package");
    folder.MakeFolder("kv表");
    folder.WriteFile("kv表\\kv.exe", "program");
    SetLastWriteUtc(folder.Path("kv表\\kv.exe"), 2025, 12, 31, 15, 0, 0);
    UseFolders("dl表", "kv表");

    installer.ScanPackages();
    EXPECT_EQ(folder.Path("dl表"), window.fields[kIdcSaveDir]);
    EXPECT_EQ("kv2025_0101_.lzh", window.fields[kIdcPackageName]);
    EXPECT_EQ(0, installer.m_archiver);
    ExpectPackageTime(2025, 1, 1);
    EXPECT_EQ("2026-01-01 00:00:00", window.fields[kIdcInstalledDate]);
}

TEST_F(ScanOnDisk, NamesMatchRegardlessOfCaseAndShowAsListed) {
    folder.MakeFolder("save");
    folder.WriteFile("save\\KV2024_0115.LZH", "package");
    folder.WriteFile("save\\kv2024_0115.zip.old", "package");
    UseFolders("save", "save");
    installer.ScanPackages();
    EXPECT_EQ("KV2024_0115.LZH", window.fields[kIdcPackageName]);
    EXPECT_EQ(0, installer.m_archiver);
    EXPECT_EQ("", window.fields[kIdcInstalledDate]);

    std::strcpy(installer.m_addName, ".old"); // only names ending in the add-name
    installer.ScanPackages();
    EXPECT_EQ("kv2024_0115.zip.old", window.fields[kIdcPackageName]);
    EXPECT_EQ(1, installer.m_archiver);
}

} // namespace
