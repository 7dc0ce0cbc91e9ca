// A save folder of 50,000 entries (laid out by make_big_folder.py, named in
// KVHARDENING_BIG_FOLDER): the scan lists them all, selects the newest
// package, and keeps nothing but fixed buffers. Its time is reported.
#include "figures.h"
#include "hardening_platform.h"
#include "long_path_folder.h"
#include "recording_window.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(BigSaveFolder, FiftyThousandEntriesAreScannedAndTheNewestWins) {
    char big[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KVHARDENING_BIG_FOLDER", big, sizeof big);
    ASSERT_TRUE(length > 0 && length < sizeof big) << "KVHARDENING_BIG_FOLDER is not set";
    ASSERT_NE(GetFileAttributesA(big), INVALID_FILE_ATTRIBUTES) << big;
    figures::InputTried();

    LongPathFolder folder{"kvhb"};
    CHardeningPlatform platform{folder.Path("KvInst.exe")};
    CRecordingWindow window;
    GuardedInstaller guarded(platform, window);
    CInstaller& installer = guarded.installer;
    std::snprintf(installer.m_saveDir, kMaxPath, "%s", big);
    std::snprintf(installer.m_installDir, kMaxPath, "%s", big);

    const DWORD start = GetTickCount();
    installer.ScanPackages();
    const DWORD elapsed = GetTickCount() - start;

    ASSERT_TRUE(WellFormed(guarded));
    EXPECT_EQ(window.fields[kIdcPackageName], "kv2097_0710.zip");
    EXPECT_EQ(installer.m_archiver, 1);
    EXPECT_EQ(installer.m_packageTime.wYear, 2097);
    EXPECT_EQ(installer.m_packageTime.wMonth, 7);
    EXPECT_EQ(installer.m_packageTime.wDay, 10);
    EXPECT_EQ(window.fields[kIdcInstalledDate], "");
    // kv*_.lzh and kv*.lzh list the 4,000 LHA files each, kv*.zip the 40,000
    // packages, 2,000 folders and 2,000 long stamps; kv*_.zip lists nothing.
    EXPECT_GE(platform.listedEntries, 52000);
    figures::Note("50,000-entry save folder, entries listed", platform.listedEntries, "entries");
    figures::Note("50,000-entry save folder, scan time", elapsed / 1000.0, "s");
    figures::SurvivedIfPassing();
}

} // namespace
