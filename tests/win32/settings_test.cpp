// kvinst.ini on a real disk through CWin32Platform: the installer reads and
// writes the file with the system's own profile functions.
#include "installer.h"
#include "recording_window.h"
#include "temp_folder.h"
#include "test_platform.h"
#include <gtest/gtest.h>
#include <mbctype.h>
#include <climits>
#include <cstring>
#include <string>

namespace {

class SettingsOnDisk : public ::testing::Test {
  protected:
    TempFolder folder{"kvset"};
    CModulePathPlatform platform{folder.Path("KvInst.exe")};
    CRecordingWindow window;
    CInstaller installer{platform, window};

    void WriteIni(const std::string& text) { folder.WriteFile("kvinst.ini", text); }
    std::string IniText() const { return folder.ReadFile("kvinst.ini"); }

    static void SetText(char (&field)[kMaxPath], const char* text) {
        ASSERT_LT(std::strlen(text), sizeof field);
        std::strcpy(field, text);
    }
};

TEST_F(SettingsOnDisk, FirstRunHasTheDefaultsAndSavingCreatesTheSevenLines) {
    installer.LoadSettings();
    EXPECT_STREQ("", installer.m_installDir);
    EXPECT_STREQ("", installer.m_saveDir);
    EXPECT_STREQ("", installer.m_addName);
    EXPECT_EQ(0, installer.m_deleteFile);
    EXPECT_EQ(1, installer.m_quitApp);
    EXPECT_EQ(1, installer.m_executeApp);
    EXPECT_FALSE(folder.Exists("kvinst.ini")); // reading creates nothing

    SetText(installer.m_installDir, "D:\\Apps\\Viewer");
    SetText(installer.m_saveDir, "D:\\Download");
    installer.SaveSettings();
    EXPECT_EQ("[INSTDATA]\r\n"
              "InstallDirectory=D:\\Apps\\Viewer\r\n"
              "SaveDirectory=D:\\Download\r\n"
              "AddName=\r\n"
              "DeleteFile=0\r\n"
              "QuitKv=1\r\n"
              "ExecuteKv=1\r\n",
              IniText());
}

TEST_F(SettingsOnDisk, EmptyQuitKvReadsZeroAndUnusualNumbersSurviveASave) {
    WriteIni("[INSTDATA]\r\nQuitKv=\r\nExecuteKv=2\r\nDeleteFile=-1\r\n");
    installer.LoadSettings();
    EXPECT_EQ(0, installer.m_quitApp);
    EXPECT_EQ(2, installer.m_executeApp);
    EXPECT_EQ(-1, installer.m_deleteFile);

    installer.SaveSettings();
    EXPECT_EQ("[INSTDATA]\r\n"
              "QuitKv=0\r\n"
              "ExecuteKv=2\r\n"
              "DeleteFile=-1\r\n"
              "InstallDirectory=\r\n"
              "SaveDirectory=\r\n"
              "AddName=\r\n",
              IniText());
}

TEST_F(SettingsOnDisk, A300ByteValueReadsAsItsFirst259Bytes) {
    std::string value = "C:\\";
    while (value.size() < 300)
        value += std::to_string(value.size() % 10);
    WriteIni("[INSTDATA]\r\nInstallDirectory=" + value + "\r\nSaveDirectory=D:\\dl\r\n");
    installer.LoadSettings();
    EXPECT_EQ(value.substr(0, 259), installer.m_installDir);
    EXPECT_STREQ("D:\\dl", installer.m_saveDir);
}

TEST_F(SettingsOnDisk, NamesInOtherLetterCaseAreFoundAndUpdatedInPlace) {
    WriteIni("[instdata]\r\ninstalldirectory=C:\\old\r\nQUITKV=0\r\n");
    installer.LoadSettings();
    EXPECT_STREQ("C:\\old", installer.m_installDir);
    EXPECT_EQ(0, installer.m_quitApp);

    SetText(installer.m_installDir, "C:\\new");
    installer.SaveSettings();
    EXPECT_EQ("[instdata]\r\n"
              "installdirectory=C:\\new\r\n"
              "QUITKV=0\r\n"
              "SaveDirectory=\r\n"
              "AddName=\r\n"
              "DeleteFile=0\r\n"
              "ExecuteKv=1\r\n",
              IniText());
}

TEST_F(SettingsOnDisk, OtherSectionsAndKeysSurviveASave) {
    WriteIni("[Before]\r\nkey=1\r\n"
             "[INSTDATA]\r\nExtra=keep me\r\nSaveDirectory=D:\\old\r\n"
             "[After]\r\nother=2\r\n");
    installer.LoadSettings();
    SetText(installer.m_saveDir, "D:\\new");
    installer.SaveSettings();
    EXPECT_EQ("[Before]\r\nkey=1\r\n"
              "[INSTDATA]\r\n"
              "Extra=keep me\r\n"
              "SaveDirectory=D:\\new\r\n"
              "InstallDirectory=\r\n"
              "AddName=\r\n"
              "DeleteFile=0\r\n"
              "QuitKv=1\r\n"
              "ExecuteKv=1\r\n"
              "[After]\r\nother=2\r\n",
              IniText());
}

TEST_F(SettingsOnDisk, BlanksAroundAndQuotesEnclosingAValueAreNotPartOfIt) {
    WriteIni("[INSTDATA]\r\n"
             "InstallDirectory=  \"C:\\Program Files\\Kolva View\"  \r\n"
             "SaveDirectory='D:\\my downloads'\r\n"
             "AddName= a\"b \r\n");
    installer.LoadSettings();
    EXPECT_STREQ("C:\\Program Files\\Kolva View", installer.m_installDir);
    EXPECT_STREQ("D:\\my downloads", installer.m_saveDir);
    EXPECT_STREQ("a\"b", installer.m_addName);

    installer.SaveSettings(); // written back unquoted, inner blanks kept
    EXPECT_EQ("[INSTDATA]\r\n"
              "InstallDirectory=C:\\Program Files\\Kolva View\r\n"
              "SaveDirectory=D:\\my downloads\r\n"
              "AddName=a\"b\r\n"
              "DeleteFile=0\r\n"
              "QuitKv=1\r\n"
              "ExecuteKv=1\r\n",
              IniText());
}

TEST_F(SettingsOnDisk, NumbersOutsideTheIntegerRangeSaturate) {
    WriteIni("[INSTDATA]\r\n"
             "DeleteFile=1234567890123456789012345678901234567890\r\n"
             "QuitKv=-1234567890123456789012345678901234567890\r\n"
             "ExecuteKv=12abc\r\n");
    installer.LoadSettings();
    EXPECT_EQ(INT32_MAX, installer.m_deleteFile);
    EXPECT_EQ(INT32_MIN, installer.m_quitApp);
    EXPECT_EQ(12, installer.m_executeApp);
}

// 表 is 0x95 0x5C: its second byte is a backslash's value.
TEST(SettingsFolder, ADoubleByteCharacterEndingIn5CIsNoBackslash) {
    ASSERT_EQ(932, _getmbcp()); // the prefix's ANSI code page
    char dir[kMaxPath];
    CModulePathPlatform inFolder("C:\\Tools\\表\\KvInst.exe");
    ASSERT_TRUE(GetModuleDir(inFolder, dir));
    EXPECT_STREQ("C:\\Tools\\表", dir);
    CModulePathPlatform inName("C:\\Tools\\表");
    ASSERT_TRUE(GetModuleDir(inName, dir));
    EXPECT_STREQ("C:\\Tools", dir);
    CModulePathPlatform noBackslash("KvInst表.exe");
    ASSERT_TRUE(GetModuleDir(noBackslash, dir));
    EXPECT_STREQ("KvInst表.exe", dir);
}

TEST(SettingsFolder, TheFileLandsBesideAnExecutableWithA5CTrailByteInItsPath) {
    TempFolder folder("kvset");
    folder.MakeFolder("表");
    CRecordingWindow window;

    CModulePathPlatform inFolder(folder.Path("表\\KvInst.exe"));
    CInstaller first(inFolder, window);
    first.LoadSettings();
    std::strcpy(first.m_saveDir, "D:\\first");
    first.SaveSettings();
    EXPECT_NE(std::string::npos, folder.ReadFile("表\\kvinst.ini").find("SaveDirectory=D:\\first"));

    CModulePathPlatform inName(folder.Path("表.exe"));
    CInstaller second(inName, window);
    second.LoadSettings();
    std::strcpy(second.m_saveDir, "D:\\second");
    second.SaveSettings();
    EXPECT_NE(std::string::npos, folder.ReadFile("kvinst.ini").find("SaveDirectory=D:\\second"));
}

} // namespace
