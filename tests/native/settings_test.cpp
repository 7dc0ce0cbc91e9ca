// kvinst.ini beside the executable: the atoi rule, and the settings' round trip
// from the file through LoadSettings to the writes of SaveSettings.
#include "fake_platform.h"
#include <gtest/gtest.h>
#include <climits>

TEST(Settings, IntegersFollowTheAtoiRule) {
    // clang-format off
    const std::pair<std::string, int> rows[] = { // the key absent, then the text after it
        {"", -7}, {"=", 0}, {"=12abc", 12}, {"=abc", 0}, {"=-3", -3}, {"=+7", 7}, {"=+-5", 0},
        {"=- 5", 0}, {"=09", 9}, {"=7:", 7}, {"=/5", 0}, {"=\" \t7\"", 7}, {"=\"\r7\"", 7},
        {"=\"\b7\"", 0}, {"=\"\x0E\x37\"", 0}, {"=2147483648", INT_MAX}, {"=-2147483648", INT_MIN},
        {"=-2147483649", INT_MIN}, {"=" + std::string(40, '9'), INT_MAX},
        {"=" + std::string(498, '0') + "5", 5}}; // the 499th byte is still read
    // clang-format on
    for (const auto& [line, expected] : rows) {
        CFakePlatform fake;
        fake.files.push_back({"C:\\k.ini", 0x20, {}, "[INSTDATA]\nDeleteFile" + line});
        EXPECT_EQ(ReadIntSetting(fake, "INSTDATA", "DeleteFile", -7, "C:\\k.ini"), expected)
            << line;
        EXPECT_TRUE(WriteIntSetting(fake, "S", "K", expected, "C:\\k.ini") && // the write's result
                    fake.log.back() == "write C:\\k.ini S K=" + std::to_string(expected));
    }
}

TEST(Settings, RoundTrip) {
    const std::string tools = "C:\\Tools\\KvInst.exe", ini = "C:\\Tools\\kvinst.ini";
    const std::string file = "[INSTDATA]\nInstallDirectory=E:\\kv\nQuitKv=0";
    const std::string dir248 = "C:\\" + std::string(245, 'f'), dir249 = dir248 + "f";
    const std::string dirCut = "C:\\" + std::string(200, 'f'); // its module path: 260 bytes
    const std::string d258(258, 'D'), cutNumber = std::string(497, '0') + "5表表";
    const struct {
        std::string module, ini, text, loaded; // the six settings joined by '|'
        bool written;
    } rows[] = {
        {tools, ini, "", "|||0|1|1", true},
        {tools, ini,
         "[Other]\nQuitKv=5\n[instdata]\ninstalldirectory=  \"E:\\Program Files\\kv\"  \n"
         "saveDIRECTORY='D:\\dl'\nAddName=.old\nAddName=.new\nDeleteFile=-1\nQuitKv=\n"
         "ExecuteKv=2\n[INSTDATA]\nQuitKv=3",
         "E:\\Program Files\\kv|D:\\dl|.old|-1|0|2", true},
        {tools, ini, "[INSTDATA]\nAddName=" + std::string(300, 'a'),
         "||" + std::string(259, 'a') + "|0|1|1", true},
        // A value cut inside a double-byte character comes back with a byte
        // unwritten: no byte of an earlier read may show through there.
        {"C:\\表\\KvInst.exe", "C:\\表\\kvinst.ini",
         "[INSTDATA]\nDeleteFile=" + std::string(499, '7') + "\nQuitKv=" + cutNumber +
             "\nInstallDirectory=" + d258 + "表表\nSaveDirectory=" + d258 +
             "表表\nAddName=" + d258 + "表表\nExecuteKv=" + cutNumber,
         d258 + "|" + d258 + "|" + d258 + "|2147483647|5|5", true},
        {"kvinst.exe", "kvinst.exe\\kvinst.ini", file, "E:\\kv|||0|0|1", true},
        {dir248 + "\\kvinst.exe", dir248 + "\\kvinst.ini", file, "E:\\kv|||0|0|1", true},
        {dir249 + "\\k.exe", dir249 + "\\kvinst.ini", file, "|||0|1|1", false},
        {"", "\\kvinst.ini", file, "|||0|1|1", false}, // no module path
        {dirCut + "\\" + std::string(56, 'k'), dirCut + "\\kvinst.ini", file, "|||0|1|1", false},
    };
    for (const auto& row : rows) {
        Core c;
        c.fake.modulePath = row.module;
        c.fake.files.push_back({row.ini, 0x20, {}, row.text});
        c.in.LoadSettings();
        EXPECT_EQ(std::string(c.in.m_installDir) + "|" + c.in.m_saveDir + "|" + c.in.m_addName +
                      "|" + std::to_string(c.in.m_deleteFile) + "|" +
                      std::to_string(c.in.m_quitApp) + "|" + std::to_string(c.in.m_executeApp),
                  row.loaded);
        c.in.SaveSettings(); // writes back what was read, key by key
        Events writes;
        std::string values = row.loaded + "|";
        for (const char* key : {"InstallDirectory", "SaveDirectory", "AddName", "DeleteFile",
                                "QuitKv", "ExecuteKv"}) {
            writes.push_back("write " + row.ini + " INSTDATA " + key + "=" +
                             values.substr(0, values.find('|')));
            values.erase(0, values.find('|') + 1);
        }
        EXPECT_EQ(c.fake.log, row.written ? writes : Events());
    }
    Core unloaded; // settings not loaded are never written
    unloaded.in.SaveSettings();
    EXPECT_EQ(unloaded.fake.log, Events());
}
