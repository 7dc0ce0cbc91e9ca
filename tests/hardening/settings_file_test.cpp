// kvinst.ini as a user or a broken disk might leave it, read and written by
// the installer core on the real profile functions. Every case loads, checks
// that nothing went past the state's buffers, saves distinct values, checks
// on disk that they arrived and that everything else in the file is still
// there, and loads again to see that the next run starts from what was saved.
#include "figures.h"
#include "hardening_platform.h"
#include "ini_text.h"
#include "long_path_folder.h"
#include "recording_window.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <random>
#include <vector>

namespace {

struct Settings {
    std::string installDir, saveDir, addName;
    int deleteFile = 0, quitApp = 1, executeApp = 1;
};

bool operator==(const Settings& a, const Settings& b) {
    return a.installDir == b.installDir && a.saveDir == b.saveDir && a.addName == b.addName &&
           a.deleteFile == b.deleteFile && a.quitApp == b.quitApp && a.executeApp == b.executeApp;
}

std::ostream& operator<<(std::ostream& out, const Settings& s) {
    auto shown = [](const std::string& text) {
        return text.size() > 40 ? text.substr(0, 40) + "...(" + std::to_string(text.size()) + ")"
                                : text;
    };
    return out << "{" << shown(s.installDir) << " | " << shown(s.saveDir) << " | "
               << shown(s.addName) << " | " << s.deleteFile << "," << s.quitApp << ","
               << s.executeApp << "}";
}

const Settings kDefaults{"", "", "", 0, 1, 1};
// Saved over whatever was loaded: double-byte names with a 0x5C trail byte,
// a blank, and flags that are not the defaults.
const Settings kSaved{"C:\\ソフト\\表 示", "D:\\ダウンロード\\ソ", ".表", 1, 0, 7};

// One user's section around the installer's, with the kinds of values that
// a rewrite could lose: empty, blanked, quoted, double-byte, '=' inside.
const std::vector<std::vector<std::string>> kOtherEntries = {
    {"Before", "alpha", "1"},           {"Before", "empty", ""},
    {"Before", "path", "C:\\表\\ソ\\"}, {"After", "omega", "two words"},
    {"After", "equation", "a=b=c"},     {"After", "x", "0x5C"},
};

// The entries of the named other sections only.
std::vector<std::vector<std::string>> EntriesOf(const std::string& name) {
    std::vector<std::vector<std::string>> entries;
    for (const auto& entry : kOtherEntries)
        if (entry[0] == name)
            entries.push_back(entry);
    return entries;
}

std::string OtherSection(const std::string& name, const char* lineEnd) {
    std::string text = "[" + name + "]" + lineEnd;
    for (const auto& entry : kOtherEntries)
        if (entry[0] == name)
            text += entry[1] + "=" + entry[2] + lineEnd;
    return text;
}

std::string Junk(unsigned variant, std::size_t size) {
    std::mt19937 random(variant);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    // Never a byte-order mark at the start: that would make it another encoding.
    if (size >= 2 && (static_cast<unsigned char>(bytes[0]) & 0xFE) == 0xFE)
        bytes[0] = 'j';
    return bytes;
}

class HostileSettingsFile : public ::testing::Test {
  protected:
    LongPathFolder folder{"kvhs"};
    CHardeningPlatform platform{folder.Path("KvInst.exe")};
    CRecordingWindow window;

    std::unique_ptr<GuardedInstaller> NewInstaller() {
        return std::unique_ptr<GuardedInstaller>(new GuardedInstaller(platform, window));
    }

    static Settings Of(const CInstaller& installer) {
        return Settings{installer.m_installDir, installer.m_saveDir, installer.m_addName,
                        installer.m_deleteFile, installer.m_quitApp, installer.m_executeApp};
    }

    Settings Load() {
        auto guarded = NewInstaller();
        guarded->installer.LoadSettings();
        EXPECT_TRUE(WellFormed(*guarded));
        return Of(guarded->installer);
    }

    // Loads, saves kSaved, and checks the file and the next load. expected is
    // what the first load must give; others are (section, key, value) that
    // must still be in the file after the save.
    // A null expected accepts any first load that stays within its buffers.
    void RoundTrip(const std::string& bytes, const Settings* expected,
                   const std::vector<std::vector<std::string>>& others, const char* what) {
        SCOPED_TRACE(what);
        figures::InputTried();
        folder.WriteFile("kvinst.ini", bytes);
        auto guarded = NewInstaller();
        CInstaller& installer = guarded->installer;
        installer.LoadSettings();
        ASSERT_TRUE(WellFormed(*guarded));
        if (expected != nullptr) {
            EXPECT_EQ(Of(installer), *expected);
        }

        std::snprintf(installer.m_installDir, kMaxPath, "%s", kSaved.installDir.c_str());
        std::snprintf(installer.m_saveDir, kMaxPath, "%s", kSaved.saveDir.c_str());
        std::snprintf(installer.m_addName, kMaxPath, "%s", kSaved.addName.c_str());
        installer.m_deleteFile = kSaved.deleteFile;
        installer.m_quitApp = kSaved.quitApp;
        installer.m_executeApp = kSaved.executeApp;
        installer.SaveSettings();
        ASSERT_TRUE(WellFormed(*guarded));
        EXPECT_TRUE(window.messages.empty());

        const IniEntries onDisk = ParseIni(folder.ReadFile("kvinst.ini"));
        EXPECT_EQ(onDisk.Value("INSTDATA", "InstallDirectory"), kSaved.installDir);
        EXPECT_EQ(onDisk.Value("INSTDATA", "SaveDirectory"), kSaved.saveDir);
        EXPECT_EQ(onDisk.Value("INSTDATA", "AddName"), kSaved.addName);
        EXPECT_EQ(onDisk.Value("INSTDATA", "DeleteFile"), "1");
        EXPECT_EQ(onDisk.Value("INSTDATA", "QuitKv"), "0");
        EXPECT_EQ(onDisk.Value("INSTDATA", "ExecuteKv"), "7");
        for (const auto& entry : others)
            EXPECT_EQ(onDisk.Value(entry[0], entry[1]), entry[2])
                << "[" << entry[0] << "] " << entry[1] << " lost by the save";

        EXPECT_EQ(Load(), kSaved) << "the next run does not start from what was saved";
        figures::SurvivedIfPassing();
    }
    void RoundTrip(const std::string& bytes, const Settings& expected,
                   const std::vector<std::vector<std::string>>& others, const char* what) {
        RoundTrip(bytes, &expected, others, what);
    }
};

TEST_F(HostileSettingsFile, BinaryJunkAroundTheSectionsLeavesTheSectionsWorking) {
    const std::size_t sizes[] = {1, 7, 64, 300, 1024, 4096, 20000};
    for (unsigned variant = 1; variant <= 14; ++variant) {
        const std::size_t size = sizes[variant % 7];
        const std::string bytes = Junk(variant, size) + "\r\n" + OtherSection("Before", "\r\n") +
                                  Junk(variant + 100, size) +
                                  "\r\n[INSTDATA]\r\nInstallDirectory=C:\\inst\r\n"
                                  "SaveDirectory=D:\\save\r\nQuitKv=0\r\n" +
                                  Junk(variant + 200, size) + "\r\n" +
                                  OtherSection("After", "\r\n") + Junk(variant + 300, size);
        RoundTrip(bytes, Settings{"C:\\inst", "D:\\save", "", 0, 0, 1}, kOtherEntries,
                  ("junk variant " + std::to_string(variant)).c_str());
    }
}

TEST_F(HostileSettingsFile, NothingButJunkStillRoundTrips) {
    for (unsigned variant = 50; variant < 56; ++variant) {
        // Whatever the junk happens to say is read within bounds, and from
        // then on the file serves the installer again.
        RoundTrip(Junk(variant, 3000 + variant * 500), nullptr, {},
                  ("pure junk variant " + std::to_string(variant)).c_str());
    }
}

TEST_F(HostileSettingsFile, TenMegabyteFileKeepsEveryOtherKey) {
    // 1000 sections of 100 keys with 95-byte values, then the installer's.
    std::vector<std::vector<std::string>> others;
    std::string bytes;
    bytes.reserve(11 << 20);
    for (int section = 0; section < 1000; ++section) {
        char name[16];
        std::snprintf(name, sizeof name, "Sec%04d", section);
        bytes += std::string("[") + name + "]\r\n";
        for (int key = 0; key < 100; ++key) {
            char keyName[16];
            std::snprintf(keyName, sizeof keyName, "key%03d", key);
            std::string value(100, static_cast<char>('a' + (section + key) % 26));
            value.replace(0, 8, name + std::string("_"));
            bytes += std::string(keyName) + "=" + value + "\r\n";
            if (key % 10 == section % 10)
                others.push_back({name, keyName, value});
        }
    }
    bytes += "[INSTDATA]\r\nInstallDirectory=C:\\big\r\nSaveDirectory=D:\\big\r\n";
    ASSERT_GE(bytes.size(), 10u << 20);
    figures::Note("10 MB kvinst.ini, size", bytes.size() / 1048576.0, "MiB");

    DWORD start = GetTickCount();
    RoundTrip(bytes, Settings{"C:\\big", "D:\\big", "", 0, 1, 1}, others, "10 MB");
    figures::Note("10 MB kvinst.ini, load + save + load", (GetTickCount() - start) / 1000.0, "s");

    // All 100,000 keys are still there, not only the sampled ones.
    const IniEntries onDisk = ParseIni(folder.ReadFile("kvinst.ini"));
    EXPECT_EQ(onDisk.values.size(), 100000u + 6u);
}

TEST_F(HostileSettingsFile, HundredThousandByteValuesAreCutAtTheFieldsEnd) {
    std::string doubleByte;
    while (doubleByte.size() < 100000)
        doubleByte += "表";
    const std::string bytes =
        OtherSection("Before", "\r\n") + "[INSTDATA]\r\n" +
        "InstallDirectory=" + std::string(100000, 'I') + "\r\n" + "SaveDirectory=S\r\n" +
        "AddName=" + doubleByte + "\r\n" + "DeleteFile=" + std::string(100000, '9') + "\r\n" +
        "QuitKv=" + std::string(100000, ' ') + "5\r\n" + OtherSection("After", "\r\n");
    folder.WriteFile("kvinst.ini", bytes);
    Settings loaded = Load();
    EXPECT_EQ(loaded.installDir, std::string(259, 'I'));
    EXPECT_EQ(loaded.saveDir, "S");
    EXPECT_LE(loaded.addName.size(), 259u);
    EXPECT_EQ(loaded.addName.substr(0, 258), doubleByte.substr(0, 258));
    EXPECT_EQ(loaded.deleteFile, 2147483647);
    // Saved back unchanged, the cut values read the same again, and a cut
    // double-byte character takes no line end or neighbour with it.
    {
        auto guarded = NewInstaller();
        guarded->installer.LoadSettings();
        guarded->installer.SaveSettings();
        ASSERT_TRUE(WellFormed(*guarded));
    }
    const IniEntries resaved = ParseIni(folder.ReadFile("kvinst.ini"));
    EXPECT_EQ(resaved.Value("INSTDATA", "SaveDirectory"), "S");
    EXPECT_EQ(resaved.Value("INSTDATA", "QuitKv"), std::to_string(loaded.quitApp));
    EXPECT_EQ(resaved.Value("After", "omega"), "two words");
    EXPECT_EQ(Load(), loaded);
    RoundTrip(bytes, loaded, kOtherEntries, "100,000-byte values");
}

// A value cut inside a double-byte character: the profile functions may
// stop before the character and still count the byte it would have taken,
// leaving whatever the buffer held there. Such a byte must not become part of
// a number or a text: here a digit left behind by the key read before.
TEST_F(HostileSettingsFile, ValueCutInsideADoubleByteCharacterTakesNoStaleByte) {
    const std::string cutNumber = std::string(497, '0') + "5" + "表表";
    const std::string cutText = std::string(258, 'D') + "表表";
    const std::string bytes = "[INSTDATA]\r\nDeleteFile=" + std::string(499, '7') +
                              "\r\nQuitKv=" + cutNumber + "\r\nExecuteKv=" + cutNumber +
                              "\r\nInstallDirectory=" + cutText + "\r\nSaveDirectory=" + cutText +
                              "\r\nAddName=" + cutText + "\r\n";
    folder.WriteFile("kvinst.ini", bytes);
    figures::InputTried();
    auto guarded = NewInstaller();
    // Texts that held something before the load, as a reused object would.
    std::memset(guarded->installer.m_installDir, 'X', kMaxPath - 1);
    std::memset(guarded->installer.m_saveDir, 'X', kMaxPath - 1);
    std::memset(guarded->installer.m_addName, 'X', kMaxPath - 1);
    guarded->installer.LoadSettings();
    ASSERT_TRUE(WellFormed(*guarded));
    EXPECT_EQ(guarded->installer.m_deleteFile, 2147483647);
    EXPECT_EQ(guarded->installer.m_quitApp, 5);
    EXPECT_EQ(guarded->installer.m_executeApp, 5);
    for (const char* text : {guarded->installer.m_installDir, guarded->installer.m_saveDir,
                             guarded->installer.m_addName})
        EXPECT_EQ(std::string(text), std::string(258, 'D'));
    figures::SurvivedIfPassing();
}

TEST_F(HostileSettingsFile, FortyDigitNumbersReadAsTheNearest32BitValue) {
    const std::string bytes = "[INSTDATA]\r\n"
                              "DeleteFile=1234567890123456789012345678901234567890\r\n"
                              "QuitKv=-1234567890123456789012345678901234567890\r\n"
                              "ExecuteKv=0000000000000000000000000000000000000042\r\n" +
                              OtherSection("After", "\r\n");
    RoundTrip(bytes, Settings{"", "", "", 2147483647, -2147483647 - 1, 42}, EntriesOf("After"),
              "40 digits");
    // Just past 32 bits must not wrap around to a small number.
    RoundTrip("[INSTDATA]\nDeleteFile=4294967297\nQuitKv=-4294967297\nExecuteKv=+2147483648\n",
              Settings{"", "", "", 2147483647, -2147483647 - 1, 2147483647}, {}, "2^32 + 1");
}

TEST_F(HostileSettingsFile, AnyLineEndIsReadAndOtherSectionsSurvive) {
    const char* const lineEnds[] = {"\r\n", "\n", "\r\n", "\r"};
    const char* const names[] = {"CRLF", "LF", "CRLF without a last line end", "CR"};
    for (int i = 0; i < 4; ++i) {
        const char* end = lineEnds[i];
        std::string bytes = OtherSection("Before", end) + "[INSTDATA]" + end +
                            "InstallDirectory=C:\\le" + end + "SaveDirectory=D:\\le" + end +
                            "AddName=.old" + end + "ExecuteKv=0" + end + OtherSection("After", end);
        if (i == 2)
            bytes.resize(bytes.size() - 2);
        const Settings expected{"C:\\le", "D:\\le", ".old", 0, 1, 0};
        // Whether a lone CR ends a line is the profile functions' own choice:
        // such a file need only be read within bounds and serve again after a save.
        if (i == 3)
            RoundTrip(bytes, nullptr, {}, names[i]);
        else
            RoundTrip(bytes, expected, kOtherEntries, names[i]);
    }
}

TEST_F(HostileSettingsFile, MissingSectionGivesDefaultsAndIsAddedBesideTheOthers) {
    RoundTrip(OtherSection("Before", "\r\n") + OtherSection("After", "\r\n"), kDefaults,
              kOtherEntries, "no INSTDATA");
    RoundTrip("", kDefaults, {}, "empty file");
    RoundTrip("\r\n\r\n   \r\n", kDefaults, {}, "blank lines");
    RoundTrip("InstallDirectory=C:\\nosection\r\n" + OtherSection("After", "\r\n"), kDefaults,
              EntriesOf("After"), "keys before any section");
}

TEST_F(HostileSettingsFile, DuplicateKeysAndSectionsReadTheFirstAndWriteWhatIsRead) {
    const std::string bytes = OtherSection("Before", "\r\n") +
                              "[INSTDATA]\r\n"
                              "InstallDirectory=C:\\first\r\n"
                              "InstallDirectory=C:\\second\r\n"
                              "savedirectory=D:\\lower\r\n"
                              "DeleteFile=1\r\nDeleteFile=0\r\n"
                              "[instdata]\r\n"
                              "AddName=.second-section\r\n" +
                              OtherSection("After", "\r\n");
    // The first key of a name, in the first section of a name, is the one read.
    RoundTrip(bytes, Settings{"C:\\first", "D:\\lower", "", 1, 1, 1}, kOtherEntries,
              "duplicate keys and sections");
}

// Unwritable settings: each write fails without a word, the file keeps its
// bytes, and the next run starts from what the file held.
TEST_F(HostileSettingsFile, SettingsThatCannotBeWrittenAreLeftAsTheyWere) {
    const std::string bytes =
        "[INSTDATA]\r\nInstallDirectory=C:\\kept\r\nSaveDirectory=D:\\kept\r\n"
        "DeleteFile=0\r\n" +
        OtherSection("After", "\r\n");
    const Settings held{"C:\\kept", "D:\\kept", "", 0, 1, 1};
    const std::string path = folder.Path("kvinst.ini");
    auto saveOver = [&] {
        auto guarded = NewInstaller();
        guarded->installer.LoadSettings();
        EXPECT_EQ(Of(guarded->installer), held);
        std::snprintf(guarded->installer.m_installDir, kMaxPath, "C:\\changed");
        guarded->installer.m_deleteFile = 1;
        guarded->installer.SaveSettings();
        EXPECT_TRUE(WellFormed(*guarded));
        EXPECT_TRUE(window.messages.empty());
    };

    // Held open by another program that allows reading only.
    figures::InputTried();
    folder.WriteFile("kvinst.ini", bytes);
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    saveOver();
    CloseHandle(holder);
    EXPECT_EQ(folder.ReadFile("kvinst.ini"), bytes);
    EXPECT_EQ(Load(), held);
    figures::SurvivedIfPassing();

    // Read-only file. Wine enforces the attribute through the file's Unix
    // permissions, which the root user does not obey: say which case ran.
    figures::InputTried();
    folder.WriteFile("kvinst.ini", bytes);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE probe = CreateFileA((path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    const bool enforced = probe == INVALID_HANDLE_VALUE;
    if (!enforced)
        CloseHandle(probe);
    saveOver();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (enforced) {
        EXPECT_EQ(folder.ReadFile("kvinst.ini"), bytes);
        EXPECT_EQ(Load(), held);
    } else {
        std::printf("note: the read-only attribute is not enforced here (root under Wine); "
                    "the save went through\n");
        EXPECT_EQ(ParseIni(folder.ReadFile("kvinst.ini")).Value("INSTDATA", "InstallDirectory"),
                  "C:\\changed");
    }
    figures::SurvivedIfPassing();

    // Read-only folder: Windows does not stop writes into a folder for its
    // read-only attribute, and Wine keeps no such attribute on a folder. Say
    // what this system does, and check the installer against it.
    figures::InputTried();
    folder.WriteFile("kvinst.ini", bytes);
    SetFileAttributesA(folder.Root().c_str(), FILE_ATTRIBUTE_READONLY);
    const bool folderReadOnly =
        (GetFileAttributesA(folder.Root().c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
    saveOver();
    SetFileAttributesA(folder.Root().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::printf("note: a read-only folder attribute is %s here; the save went through\n",
                folderReadOnly ? "kept" : "not kept");
    EXPECT_EQ(ParseIni(folder.ReadFile("kvinst.ini")).Value("INSTDATA", "InstallDirectory"),
              "C:\\changed");
    figures::SurvivedIfPassing();

    // A folder where the file should be: nothing can be read or written.
    figures::InputTried();
    DeleteFileA(path.c_str());
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    {
        auto guarded = NewInstaller();
        guarded->installer.LoadSettings();
        EXPECT_EQ(Of(guarded->installer), kDefaults);
        std::snprintf(guarded->installer.m_installDir, kMaxPath, "C:\\changed");
        guarded->installer.SaveSettings();
        EXPECT_TRUE(WellFormed(*guarded));
    }
    EXPECT_TRUE(folder.IsFolder("kvinst.ini"));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(Load(), kDefaults);
    figures::SurvivedIfPassing();
}

} // namespace
