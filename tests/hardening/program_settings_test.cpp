// KvInst.exe with a hostile kvinst.ini, with a kvinst.ini it cannot write,
// and twice at once: each run must show its main dialog, end normally, and
// leave the file holding what it should.
#include "figures.h"
#include "ini_text.h"
#include "input.h"
#include "installer_world.h"
#include "wait.h"
#include "window_query.h"
#include <gtest/gtest.h>
#include <random>

namespace {

std::string Junk(unsigned variant, std::size_t size) {
    std::mt19937 random(variant);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    bytes[0] = 'j'; // no byte-order mark
    return bytes;
}

// Cancels the main dialog and waits for a normal end: a crash or a message
// box that nobody answers would keep the process from ending with 0.
void CancelAndExpectNormalEnd(AppProcess& installer, HWND mainDialog) {
    ClickButton(mainDialog, IDCANCEL);
    ASSERT_TRUE(installer.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(installer.ExitCode(), 0u);
}

// Opens the settings dialog, replaces the text of one edit, and accepts.
void ChangeSetting(const AppProcess& installer, HWND mainDialog, int editId,
                   const std::string& text) {
    ClickButton(mainDialog, kIdSettingsButton);
    HWND settings = WaitForDialog(installer, kSettingsCaption, mainDialog);
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(SetText(GetDlgItem(settings, editId), text));
    ClickButton(settings, IDOK);
    ASSERT_TRUE(WaitForWindowGone(settings, kWindowTimeoutMs));
}

TEST(ProgramSettings, HostileSettingsFileShowsTheMainDialogAndIsSavedOnClose) {
    figures::InputTried();
    InstallerWorld world;
    // Junk, LF and CRLF line ends, a duplicate key, a 100,000-byte add-name,
    // a 40-digit number and one cut inside a double-byte character after a
    // long run of digits, between two sections of the user's.
    const std::string bytes =
        Junk(7, 5000) + "\r\n[User]\r\nkeep=1\r\n" + Junk(8, 5000) +
        "\r\n[INSTDATA]\nInstallDirectory=" + world.Path("install") +
        "\nSaveDirectory=" + world.Path("save") + "\r\nAddName=" + std::string(100000, 'A') +
        "\nDeleteFile=" + std::string(499, '7') + "\r\nQuitKv=" + std::string(497, '0') + "5表表" +
        "\nExecuteKv=1234567890123456789012345678901234567890\n"
        "InstallDirectory=C:\\duplicate\n" +
        Junk(9, 5000) + "\r\n[After]\r\nomega=two words\r\n";
    world.world.WriteFile("app/kvinst.ini", bytes);

    AppProcess installer;
    ASSERT_TRUE(world.Start(installer));
    HWND dialog = WaitForDialog(installer, kMainCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kIdShowInstallDir), world.Path("install"));
    EXPECT_EQ(ControlText(dialog, kIdShowSaveDir), world.Path("save"));
    // No search pattern fits a 259-byte add-name: nothing is found.
    EXPECT_EQ(ControlText(dialog, kIdShowPackage), "");
    CancelAndExpectNormalEnd(installer, dialog);

    const IniEntries saved = ParseIni(world.Settings());
    EXPECT_EQ(saved.Value("INSTDATA", "InstallDirectory"), world.Path("install"));
    EXPECT_EQ(saved.Value("INSTDATA", "SaveDirectory"), world.Path("save"));
    EXPECT_EQ(saved.Value("INSTDATA", "AddName"), std::string(259, 'A'));
    EXPECT_EQ(saved.Value("INSTDATA", "DeleteFile"), "2147483647");
    EXPECT_EQ(saved.Value("INSTDATA", "QuitKv"), "5");
    EXPECT_EQ(saved.Value("INSTDATA", "ExecuteKv"), "2147483647");
    EXPECT_EQ(saved.Value("User", "keep"), "1");
    EXPECT_EQ(saved.Value("After", "omega"), "two words");
    figures::SurvivedIfPassing();
}

// Texts far longer than the edits' 259-byte limit, set into the settings
// dialog's edits (a set text is not held to the typing limit), are cut to
// whole characters within the state's 259 bytes and saved so.
TEST(ProgramSettings, OverlongTextsInTheSettingsDialogAreCutToWholeCharacters) {
    figures::InputTried(2);
    InstallerWorld world;
    world.WriteSettings({"QuitKv=0", "ExecuteKv=0"});
    std::string folder, addName = "a";
    while (folder.size() < 2000)
        folder += "表";
    while (addName.size() < 2001)
        addName += "ソ";
    AppProcess installer;
    ASSERT_TRUE(world.Start(installer));
    HWND dialog = WaitForDialog(installer, kMainCaption);
    ASSERT_NE(dialog, nullptr);
    ChangeSetting(installer, dialog, kIdSettingsInstallDir, folder);
    ChangeSetting(installer, dialog, kIdSettingsAddName, addName);
    EXPECT_EQ(ControlText(dialog, kIdShowInstallDir), folder.substr(0, 258));
    EXPECT_TRUE(Answers(dialog, 5000));
    CancelAndExpectNormalEnd(installer, dialog);
    const IniEntries saved = ParseIni(world.Settings());
    EXPECT_EQ(saved.Value("INSTDATA", "InstallDirectory"), folder.substr(0, 258));
    EXPECT_EQ(saved.Value("INSTDATA", "AddName"), addName.substr(0, 259));
    EXPECT_EQ(saved.Value("INSTDATA", "SaveDirectory"), world.Path("save"));
    figures::SurvivedIfPassing(2);
}

// kvinst.ini held open by another program that lets others only read it.
// The run works and says nothing; the file keeps its bytes; the next run
// starts from them. (The read-only attribute is not enforced for the root
// user under Wine; the core's tests say so when they meet it.)
TEST(ProgramSettings, SettingsFileThatCannotBeWrittenIsLeftAsItWas) {
    figures::InputTried();
    InstallerWorld world;
    world.WriteSettings({"AddName=.keep", "QuitKv=0", "ExecuteKv=0"});
    const std::string before = world.Settings();
    HANDLE holder = CreateFileA(world.Path("app/kvinst.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    {
        AppProcess installer;
        ASSERT_TRUE(world.Start(installer));
        HWND dialog = WaitForDialog(installer, kMainCaption);
        ASSERT_NE(dialog, nullptr);
        ChangeSetting(installer, dialog, kIdSettingsInstallDir, "C:\\changed");
        EXPECT_EQ(ControlText(dialog, kIdShowInstallDir), "C:\\changed");
        CancelAndExpectNormalEnd(installer, dialog);
    }
    CloseHandle(holder);
    EXPECT_EQ(world.Settings(), before);

    AppProcess next;
    ASSERT_TRUE(world.Start(next));
    HWND dialog = WaitForDialog(next, kMainCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kIdShowInstallDir), world.Path("install"));
    CancelAndExpectNormalEnd(next, dialog);
    EXPECT_EQ(ParseIni(world.Settings()).Value("INSTDATA", "AddName"), ".keep");
    figures::SurvivedIfPassing();
}

// Two installers on one kvinst.ini, each changing the add-name, the first
// also the install folder. Each writes all six keys as it closes: the file
// ends with the second one's values, whole, and the user's section intact.
TEST(ProgramSettings, TwoInstancesClosingInTurnLeaveTheLastOnesValues) {
    figures::InputTried();
    InstallerWorld world;
    world.WriteSettings(
        {"AddName=", "DeleteFile=0", "QuitKv=0", "ExecuteKv=0", "[User]", "keep=1"});
    AppProcess first, second;
    ASSERT_TRUE(world.Start(first));
    HWND firstDialog = WaitForDialog(first, kMainCaption);
    ASSERT_NE(firstDialog, nullptr);
    ASSERT_TRUE(world.Start(second));
    HWND secondDialog = WaitForDialog(second, kMainCaption);
    ASSERT_NE(secondDialog, nullptr);
    ChangeSetting(first, firstDialog, kIdSettingsAddName, ".first");
    ChangeSetting(first, firstDialog, kIdSettingsInstallDir, "C:\\first");
    ChangeSetting(second, secondDialog, kIdSettingsAddName, ".second");

    CancelAndExpectNormalEnd(first, firstDialog);
    const IniEntries afterFirst = ParseIni(world.Settings());
    EXPECT_EQ(afterFirst.Value("INSTDATA", "AddName"), ".first");
    EXPECT_EQ(afterFirst.Value("INSTDATA", "InstallDirectory"), "C:\\first");

    CancelAndExpectNormalEnd(second, secondDialog);
    const IniEntries saved = ParseIni(world.Settings());
    EXPECT_EQ(saved.Value("INSTDATA", "AddName"), ".second");
    EXPECT_EQ(saved.Value("INSTDATA", "InstallDirectory"), world.Path("install"));
    EXPECT_EQ(saved.Value("INSTDATA", "SaveDirectory"), world.Path("save"));
    for (const char* key :
         {"InstallDirectory", "SaveDirectory", "AddName", "DeleteFile", "QuitKv", "ExecuteKv"})
        EXPECT_EQ(saved.Count("INSTDATA", key), 1) << key;
    EXPECT_EQ(saved.Value("INSTDATA", "QuitKv"), "0");
    EXPECT_EQ(saved.Value("User", "keep"), "1");
    figures::SurvivedIfPassing();
}

} // namespace
