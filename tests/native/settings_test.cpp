// kvinst.ini beside the executable: the atoi rule, and the settings' round trip
// from the file through LoadSettings and SaveSettings back to the file.
#include "core_fixture.h"
#include <climits>

namespace {

const std::string kNone = "<no file>";

TEST(Settings, IntegersFollowTheAtoiRuleAndSaturate) {
    const struct {
        std::string value; // kNone: the key is absent
        int expected;
    } rows[] = {
        {kNone, -7},
        {"", 0},
        {"12abc", 12},
        {"abc", 0},
        {"-3", -3},
        {"+7", 7},
        {"+-5", 0},
        {"- 5", 0},
        {"09", 9},
        {"7:", 7},
        {"/5", 0},
        {"\" \t7\"", 7},
        {"\"\r7\"", 7},
        {"\"\b7\"", 0},
        {"\"\x0E"
         "7\"",
         0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {std::string(40, '9'), INT_MAX},
        {std::string(498, '0') + "5", 5}, // the 499th byte is still read
    };
    for (const auto& row : rows) {
        CFakePlatform platform;
        const std::string line = row.value == kNone ? "" : "DeleteFile=" + row.value + "\r\n";
        platform.files.AddFile("C:\\k.ini", "[INSTDATA]\r\n" + line);
        EXPECT_EQ(ReadIntSetting(platform, "INSTDATA", "DeleteFile", -7, "C:\\k.ini"), row.expected)
            << row.value;
    }
    CFakePlatform platform;
    platform.files.AddFile("C:\\k.ini");
    EXPECT_TRUE(WriteIntSetting(platform, "INSTDATA", "QuitKv", INT_MIN, "C:\\k.ini"));
    EXPECT_EQ(platform.files.Find("C:\\k.ini")->content, "[INSTDATA]\r\nQuitKv=-2147483648\r\n");
    EXPECT_FALSE(WriteIntSetting(platform, "INSTDATA", "QuitKv", 1, "C:\\none\\k.ini"));
}

std::string Loaded(const CInstaller& in) {
    return std::string(in.m_installDir) + "|" + in.m_saveDir + "|" + in.m_addName + "|" +
           std::to_string(in.m_deleteFile) + "|" + std::to_string(in.m_quitApp) + "|" +
           std::to_string(in.m_executeApp);
}

TEST(Settings, RoundTrip) {
    const std::string written = "[INSTDATA]\r\nInstallDirectory=E:\\kv\r\nQuitKv=0\r\n";
    const std::string folder248 = "C:\\" + std::string(245, 'f');
    const std::string folder249 = folder248 + "f";
    const std::string folderCut = "C:\\" + std::string(200, 'f'); // its module path is 260 bytes
    const std::string long300 = std::string(300, 'a'), long259 = long300.substr(0, 259);
    const std::string cutNumber = std::string(497, '0') + "5\x95\x5C\x95\x5C";
    const std::string cutText = std::string(258, 'D') + "\x95\x5C\x95\x5C", d258(258, 'D');
    const struct {
        const char* name;
        std::string module, ini, before, loaded, after;
    } rows[] = {
        {"FirstRun", "C:\\Tools\\KvInst.exe", "C:\\Tools\\kvinst.ini", kNone, "|||0|1|1",
         "[INSTDATA]\r\nInstallDirectory=\r\nSaveDirectory=\r\nAddName=\r\nDeleteFile=0\r\n"
         "QuitKv=1\r\nExecuteKv=1\r\n"},
        {"AsWritten", "C:\\Tools\\KvInst.exe", "C:\\Tools\\kvinst.ini",
         "[INSTDATA]\r\nInstallDirectory=  \"E:\\Program Files\\kv\"  \r\nSaveDirectory='D:\\dl'"
         "\r\nAddName=.old\r\nDeleteFile=-1\r\nQuitKv=\r\nExecuteKv=2\r\n",
         "E:\\Program Files\\kv|D:\\dl|.old|-1|0|2",
         "[INSTDATA]\r\nInstallDirectory=E:\\Program Files\\kv\r\nSaveDirectory=D:\\dl\r\n"
         "AddName=.old\r\nDeleteFile=-1\r\nQuitKv=0\r\nExecuteKv=2\r\n"},
        {"NamesInOtherCase", "C:\\Tools\\KvInst.exe", "C:\\Tools\\kvinst.ini",
         "[Other]\r\nQuitKv=5\r\n[instdata]\r\ninstalldirectory=E:\\kv\r\nQUITKV=0\r\n\r\n[Later]"
         "\r\nx=y\r\n",
         "E:\\kv|||0|0|1",
         "[Other]\r\nQuitKv=5\r\n[instdata]\r\ninstalldirectory=E:\\kv\r\nQUITKV=0\r\n"
         "SaveDirectory=\r\nAddName=\r\nDeleteFile=0\r\nExecuteKv=1\r\n\r\n[Later]\r\nx=y\r\n"},
        {"Overlong", "C:\\Tools\\KvInst.exe", "C:\\Tools\\kvinst.ini",
         "[INSTDATA]\r\nAddName=" + long300 + "\r\n", "||" + long259 + "|0|1|1",
         "[INSTDATA]\r\nAddName=" + long259 +
             "\r\nInstallDirectory=\r\nSaveDirectory=\r\nDeleteFile=0\r\nQuitKv=1\r\nExecuteKv=1"
             "\r\n"},
        // Cut inside a double-byte character, the profile call leaves a byte
        // unwritten: no byte of an earlier read may show through there.
        {"CutInsideDoubleByte", "C:\\表\\KvInst.exe", "C:\\表\\kvinst.ini",
         "[INSTDATA]\r\nDeleteFile=" + std::string(499, '7') + "\r\nQuitKv=" + cutNumber +
             "\r\nInstallDirectory=" + cutText + "\r\nSaveDirectory=" + cutText +
             "\r\nAddName=" + cutText + "\r\nExecuteKv=" + cutNumber + "\r\n",
         d258 + "|" + d258 + "|" + d258 + "|2147483647|5|5",
         "[INSTDATA]\r\nDeleteFile=2147483647\r\nQuitKv=5\r\nInstallDirectory=" + d258 +
             "\r\nSaveDirectory=" + d258 + "\r\nAddName=" + d258 + "\r\nExecuteKv=5\r\n"},
        {"NoBackslash", "kvinst.exe", "kvinst.exe\\kvinst.ini", written, "E:\\kv|||0|0|1",
         written + "SaveDirectory=\r\nAddName=\r\nDeleteFile=0\r\nExecuteKv=1\r\n"},
        {"Folder248Bytes", folder248 + "\\k.exe", folder248 + "\\kvinst.ini", written,
         "E:\\kv|||0|0|1",
         written + "SaveDirectory=\r\nAddName=\r\nDeleteFile=0\r\nExecuteKv=1\r\n"},
        {"Folder249Bytes", folder249 + "\\k.exe", folder249 + "\\kvinst.ini", written, "|||0|1|1",
         written},
        {"NoModulePath", "", "\\kvinst.ini", written, "|||0|1|1", written},
        {"ModulePathCut", folderCut + "\\" + std::string(56, 'k'), folderCut + "\\kvinst.ini",
         written, "|||0|1|1", written},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Core core;
        core.platform.modulePath = row.module;
        core.platform.files.AddDirectory(row.ini.substr(0, row.ini.rfind('\\')));
        if (row.before != kNone)
            core.platform.files.AddFile(row.ini, row.before);
        core.installer.LoadSettings();
        EXPECT_EQ(Loaded(core.installer), row.loaded);
        core.installer.SaveSettings();
        const FakeEntry* file = core.platform.files.Find(row.ini);
        EXPECT_EQ(file == nullptr ? kNone : file->content, row.after);
        EXPECT_EQ(core.platform.files.entries.size(), 2u); // no file under a cut name
    }
}

TEST(Settings, NothingIsWrittenBeforeTheSettingsWereLoaded) {
    Core core;
    core.platform.files.AddDirectory("C:\\Tools");
    core.installer.SaveSettings();
    EXPECT_EQ(core.platform.files.Find("C:\\Tools\\kvinst.ini"), nullptr);
}

} // namespace
