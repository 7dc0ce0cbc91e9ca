// kvinst.ini beside the executable: reading, writing and the folder it lives in.
#include "installer_fixture.h"
#include <climits>
#include <string>
#include <vector>

namespace {

const char kIniPath[] = "C:\\Tools\\kvinst.ini";

class SettingsTest : public InstallerTest {
  protected:
    void SetUp() override { platform.files.AddDirectory("C:\\Tools"); }

    void WriteIni(const std::string& text) { platform.files.AddFile(kIniPath, text); }

    std::string IniText() {
        const FakeEntry* file = platform.files.Find(kIniPath);
        return file == nullptr ? "<missing>" : file->content;
    }

    void ExpectDefaults() {
        EXPECT_STREQ(installer.m_installDir, "");
        EXPECT_STREQ(installer.m_saveDir, "");
        EXPECT_STREQ(installer.m_addName, "");
        EXPECT_EQ(installer.m_deleteFile, 0);
        EXPECT_EQ(installer.m_quitApp, 1);
        EXPECT_EQ(installer.m_executeApp, 1);
    }
};

TEST_F(SettingsTest, FirstRunUsesDefaultsAndCreatesTheFileInKeyOrder) {
    installer.LoadSettings();
    ExpectDefaults();

    SetText(installer.m_installDir, "D:\\Apps\\Viewer");
    SetText(installer.m_saveDir, "D:\\Download");
    installer.SaveSettings();

    EXPECT_EQ(IniText(), "[INSTDATA]\r\n"
                         "InstallDirectory=D:\\Apps\\Viewer\r\n"
                         "SaveDirectory=D:\\Download\r\n"
                         "AddName=\r\n"
                         "DeleteFile=0\r\n"
                         "QuitKv=1\r\n"
                         "ExecuteKv=1\r\n");
}

TEST_F(SettingsTest, ValuesAreReadAsWrittenAndWrittenBackUnchanged) {
    WriteIni("[INSTDATA]\r\n"
             "InstallDirectory=  \"E:\\Program Files\\kv\"  \r\n"
             "SaveDirectory='D:\\dl'\r\n"
             "AddName=.old\r\n"
             "DeleteFile=-1\r\n"
             "QuitKv=\r\n"
             "ExecuteKv=2\r\n");
    installer.LoadSettings();
    EXPECT_STREQ(installer.m_installDir, "E:\\Program Files\\kv");
    EXPECT_STREQ(installer.m_saveDir, "D:\\dl");
    EXPECT_STREQ(installer.m_addName, ".old");
    EXPECT_EQ(installer.m_deleteFile, -1);
    EXPECT_EQ(installer.m_quitApp, 0); // present but empty: 0, not the default
    EXPECT_EQ(installer.m_executeApp, 2);

    installer.SaveSettings();
    EXPECT_EQ(IniText(), "[INSTDATA]\r\n"
                         "InstallDirectory=E:\\Program Files\\kv\r\n"
                         "SaveDirectory=D:\\dl\r\n"
                         "AddName=.old\r\n"
                         "DeleteFile=-1\r\n"
                         "QuitKv=0\r\n"
                         "ExecuteKv=2\r\n");
}

TEST_F(SettingsTest, EmptyExecuteKvReadsZero) {
    WriteIni("[INSTDATA]\r\nExecuteKv=\r\n");
    installer.LoadSettings();
    EXPECT_EQ(installer.m_executeApp, 0);
    EXPECT_EQ(installer.m_quitApp, 1);
}

TEST_F(SettingsTest, IntegersFollowAtoiAndSaturateOutsideThe32BitRange) {
    struct {
        std::string text;
        std::int32_t value;
    } cases[] = {
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"12abc", 12},
        {"abc", 0},
        {"\"  +7\"", 7},
        {"\"\v\f-3x\"", -3},
        {"+-5", 0},
        {"- 5", 0},
        {"0x10", 0},
        {"007", 7},
        {"1" + std::string(40, '0'), INT32_MAX},
    };
    for (const auto& c : cases) {
        WriteIni("[INSTDATA]\r\nDeleteFile=" + c.text + "\r\n");
        EXPECT_EQ(ReadIntSetting(platform, "INSTDATA", "DeleteFile", 5, kIniPath), c.value)
            << c.text;
    }
}

TEST_F(SettingsTest, IntegersAreWrittenAsSignedDecimal) {
    for (std::int32_t value : {0, 1, -1, INT32_MAX, INT32_MIN}) {
        EXPECT_TRUE(WriteIntSetting(platform, "INSTDATA", "QuitKv", value, kIniPath));
        EXPECT_EQ(IniText(), "[INSTDATA]\r\nQuitKv=" + std::to_string(value) + "\r\n");
        EXPECT_EQ(ReadIntSetting(platform, "INSTDATA", "QuitKv", 5, kIniPath), value);
    }
}

TEST_F(SettingsTest, OverlongTextKeepsItsFirst259Bytes) {
    std::string value;
    for (int i = 0; i < 300; ++i)
        value += static_cast<char>('a' + i % 26);
    WriteIni("[INSTDATA]\r\nInstallDirectory=" + value + "\r\n");
    installer.LoadSettings();
    EXPECT_EQ(std::string(installer.m_installDir), value.substr(0, 259));
}

TEST_F(SettingsTest, NamesInOtherCaseAreFoundAndUpdatedInPlace) {
    WriteIni("[Other]\r\n"
             "QuitKv=5\r\n"
             "[instdata]\r\n"
             "installdirectory=E:\\kv\r\n"
             "QUITKV=0\r\n"
             "\r\n"
             "[Later]\r\n"
             "x=y\r\n");
    installer.LoadSettings();
    EXPECT_STREQ(installer.m_installDir, "E:\\kv");
    EXPECT_EQ(installer.m_quitApp, 0);

    SetText(installer.m_installDir, "F:\\kv");
    installer.SaveSettings();
    EXPECT_EQ(IniText(), "[Other]\r\n"
                         "QuitKv=5\r\n"
                         "[instdata]\r\n"
                         "installdirectory=F:\\kv\r\n"
                         "QUITKV=0\r\n"
                         "SaveDirectory=\r\n"
                         "AddName=\r\n"
                         "DeleteFile=0\r\n"
                         "ExecuteKv=1\r\n"
                         "\r\n"
                         "[Later]\r\n"
                         "x=y\r\n");
}

TEST_F(SettingsTest, NothingIsWrittenBeforeTheSettingsWereLoaded) {
    SetText(installer.m_installDir, "E:\\kv");
    installer.SaveSettings();
    EXPECT_EQ(platform.files.Find(kIniPath), nullptr);
}

TEST_F(SettingsTest, ReadOnlyFileStaysAsItWas) {
    const std::string text = "[INSTDATA]\r\nInstallDirectory=E:\\kv\r\n";
    platform.files.AddFile(kIniPath, text, {}, kFakeAttributeReadOnly);
    installer.LoadSettings();
    SetText(installer.m_installDir, "F:\\kv");
    installer.SaveSettings();
    EXPECT_EQ(IniText(), text);
}

TEST_F(SettingsTest, ModuleDirCutsAtTheLastRealBackslash) {
    // 表 is 0x95 0x5C in code page 932: its second byte looks like a backslash.
    ASSERT_STREQ("表", "\x95\x5C");
    struct {
        const char* module;
        const char* dir;
    } cases[] = {
        {"C:\\Tools\\kvinst.exe", "C:\\Tools"}, {"C:\\表\\kvinst.exe", "C:\\表"},
        {"C:\\Tools\\表.exe", "C:\\Tools"},     {"C:\\ｱ\\kvinst.exe", "C:\\ｱ"},
        {"kvinst.exe", "kvinst.exe"},
    };
    for (const auto& c : cases) {
        platform.modulePath = c.module;
        char dir[kMaxPath];
        EXPECT_TRUE(GetModuleDir(platform, dir));
        EXPECT_STREQ(dir, c.dir) << c.module;
    }
}

TEST_F(SettingsTest, ModuleDirFailsForAPathThatDoesNotFit) {
    platform.modulePath = "C:\\" + std::string(256, 'm');
    char dir[kMaxPath];
    EXPECT_TRUE(GetModuleDir(platform, dir));
    platform.modulePath += "x"; // 260 bytes: GetModuleFileNameA reports a cut path
    EXPECT_FALSE(GetModuleDir(platform, dir));
    EXPECT_STREQ(dir, "");
}

TEST_F(SettingsTest, ExecutableWithoutBackslashUsesItsWholePath) {
    platform.modulePath = "kvinst.exe";
    platform.files.AddFile("kvinst.exe\\kvinst.ini", "[INSTDATA]\r\nAddName=.old\r\n");
    installer.LoadSettings();
    EXPECT_STREQ(installer.m_addName, ".old");
}

// The settings path "%s\kvinst.ini" fits 259 bytes for a folder of up to 248 bytes.
TEST_F(SettingsTest, InstallerFolderOver248BytesRunsOnDefaultsAndWritesNothing) {
    for (std::size_t length : {248u, 249u}) {
        const std::string dir = "C:\\" + std::string(length - 3, 'f');
        const std::string iniPath = dir + "\\kvinst.ini";
        const std::string text = "[INSTDATA]\r\nInstallDirectory=E:\\kv\r\nQuitKv=0\r\n";
        platform.modulePath = dir + "\\k.exe";
        platform.files.AddFile(iniPath, text);
        CInstaller fresh(platform, window);

        fresh.LoadSettings();
        SetText(fresh.m_saveDir, "D:\\dl");
        fresh.SaveSettings();

        // A cut path would have left a stray file beside kvinst.ini.
        const std::vector<FindData> written = platform.files.List(dir + "\\*");
        ASSERT_EQ(written.size(), 1u);
        EXPECT_STREQ(written[0].cFileName, "kvinst.ini");
        const std::string after = platform.files.Find(iniPath)->content;
        if (length == 248) {
            EXPECT_STREQ(fresh.m_installDir, "E:\\kv");
            EXPECT_NE(after, text);
        } else {
            EXPECT_STREQ(fresh.m_installDir, "");
            EXPECT_EQ(fresh.m_quitApp, 1);
            EXPECT_EQ(after, text);
        }
    }
}

} // namespace
