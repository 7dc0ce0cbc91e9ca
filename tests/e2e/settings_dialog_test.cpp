// KvInst's settings dialog and folder picker driven as a user would: the
// first run, OK and Cancel, the check boxes, typed and browsed folders, the
// tab order and the length limit. Each test is one program start.
#include "input.h"
#include "kvinst_run.h"
#include "kvinst_ui.h"
#include "screenshot.h"
#include "wait.h"
#include "window_query.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

const char kScreenshots[] = "screenshots";

class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run.world.WriteFile("save/kv2024_0301.zip", "zip");
        run.world.MakeFolder("save2");
        run.world.WriteFile("save2/kv2025_0505.lzh", "lzh");
        run.InstallViewer(installedTime);
    }

    HWND Focus() const { return FocusedWindow(run.installer.MainThreadId()); }
    int FocusedId() const { return ::GetDlgCtrlID(Focus()); }

    // Presses key on the focused control and waits until the focus has moved
    // away from it.
    bool PressKeyAndWaitForFocusChange(UINT key) {
        HWND before = Focus();
        PressKey(before, key);
        return WaitUntil([&] { return Focus() != before; }, kWindowTimeoutMs);
    }

    bool IsChecked(HWND dialog, int id) const {
        DWORD_PTR state = 0;
        return SendWithTimeout(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, &state) &&
               state == BST_CHECKED;
    }

    int TextLength(HWND control) const {
        DWORD_PTR length = 0;
        return SendWithTimeout(control, WM_GETTEXTLENGTH, 0, 0, &length) ? static_cast<int>(length)
                                                                         : -1;
    }

    HWND OpenSettings(HWND main) {
        ClickButton(main, kIdSettingsButton);
        HWND settings = run.WaitForDialog(kSettingsCaption, main);
        if (settings != nullptr)
            WaitUntil([&] { return ::IsChild(settings, Focus()) != FALSE; }, kWindowTimeoutMs);
        return settings;
    }

    // The shell's folder picker that browse button opens over the settings dialog.
    HWND OpenPicker(HWND settings, int button) {
        ClickButton(settings, button);
        WindowQuery query;
        query.processId = run.installer.Id();
        query.className = "#32770";
        query.owner = settings;
        return WaitForWindow(query, kWindowTimeoutMs);
    }

    std::string Setting(const std::string& key) const {
        for (const std::string& line : run.SettingsLines()) {
            if (line.compare(0, key.size() + 1, key + "=") == 0)
                return line.substr(key.size() + 1);
        }
        return "<missing>";
    }

    const SYSTEMTIME installedTime = UtcTime(2024, 2, 10, 8, 5, 3);
    KvInstRun run;
};

TEST_F(SettingsDialogTest, FirstRunAsksForSettingsBeforeTheMainDialogShows) {
    ASSERT_TRUE(run.Start()); // no settings file
    HWND settings = run.WaitForDialog(kSettingsCaption);
    ASSERT_NE(settings, nullptr) << "no settings dialog";

    // The main dialog exists, owns the settings dialog and is not shown yet.
    WindowQuery mainQuery;
    mainQuery.processId = run.installer.Id();
    mainQuery.caption = kMainCaption;
    mainQuery.visible = false;
    std::vector<HWND> mains = FindWindows(mainQuery);
    ASSERT_EQ(mains.size(), 1u);
    EXPECT_FALSE(::IsWindowVisible(mains[0]));
    EXPECT_EQ(Owner(settings), mains[0]);

    // Empty folders and the default options; the focus in the install folder.
    ASSERT_TRUE(WaitUntil([&] { return FocusedId() == kIdInstallDir; }, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(settings, kIdInstallDir), "");
    EXPECT_EQ(ControlText(settings, kIdSaveDir), "");
    EXPECT_EQ(ControlText(settings, kIdAddName), "");
    EXPECT_FALSE(IsChecked(settings, kIdDeleteFile));
    EXPECT_TRUE(IsChecked(settings, kIdQuitApp));
    EXPECT_TRUE(IsChecked(settings, kIdExecuteApp));

    // Tab visits the controls in template order, labels left out, and wraps.
    const int tabOrder[] = {kIdBrowseInstallDir, kIdSaveDir,   kIdBrowseSaveDir, kIdAddName,
                            kIdDeleteFile,       IDOK,         IDCANCEL,         kIdQuitApp,
                            kIdExecuteApp,       kIdInstallDir};
    for (int expectedId : tabOrder) {
        ASSERT_TRUE(PressKeyAndWaitForFocusChange(VK_TAB)) << "Tab did not move on";
        EXPECT_EQ(FocusedId(), expectedId);
    }

    // Typed folders are kept as typed, a trailing backslash included; Enter
    // in an edit is OK.
    const std::string typedInstallFolder = run.InstallFolder() + "\\";
    ASSERT_TRUE(SetText(::GetDlgItem(settings, kIdInstallDir), typedInstallFolder));
    ASSERT_TRUE(SetText(::GetDlgItem(settings, kIdSaveDir), run.SaveFolder()));
    ::Sleep(300); // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(settings, kScreenshots, "settings-dialog"));
    PressKey(Focus(), VK_RETURN);
    ASSERT_TRUE(WaitForWindowGone(settings, kWindowTimeoutMs));

    // The main dialog shows the new folders and the scan's result from the start.
    HWND main = run.WaitForMainDialog();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ControlText(main, kIdShowInstallDir), typedInstallFolder);
    EXPECT_EQ(ControlText(main, kIdShowSaveDir), run.SaveFolder());
    EXPECT_EQ(ControlText(main, kIdShowPackage), "kv2024_0301.zip");
    EXPECT_EQ(ControlText(main, kIdShowInstalledDate), LocalTimeText(installedTime));

    PressKey(Focus(), VK_ESCAPE);
    ASSERT_TRUE(run.installer.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(run.SettingsLines(),
              (std::vector<std::string>{"[INSTDATA]", "InstallDirectory=" + typedInstallFolder,
                                        "SaveDirectory=" + run.SaveFolder(),
                                        "AddName=", "DeleteFile=0", "QuitKv=1", "ExecuteKv=1"}));
}

TEST_F(SettingsDialogTest, CancelKeepsStateAndDisplayOkStoresAndRescansAtOnce) {
    run.WriteSettings({"InstallDirectory=" + run.InstallFolder(),
                       "SaveDirectory=" + run.SaveFolder(), "AddName=", "DeleteFile=1", "QuitKv=0",
                       "ExecuteKv=2"});
    ASSERT_TRUE(run.Start());
    HWND main = run.WaitForMainDialog();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ControlText(main, kIdShowPackage), "kv2024_0301.zip");

    // The dialog shows the state; the flags as check boxes, 2 counting as on.
    HWND settings = OpenSettings(main);
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));
    EXPECT_EQ(ControlText(settings, kIdInstallDir), run.InstallFolder());
    EXPECT_EQ(ControlText(settings, kIdSaveDir), run.SaveFolder());
    EXPECT_TRUE(IsChecked(settings, kIdDeleteFile));
    EXPECT_FALSE(IsChecked(settings, kIdQuitApp));
    EXPECT_TRUE(IsChecked(settings, kIdExecuteApp));

    // Esc is Cancel: the edited folder is dropped, the display unchanged.
    ASSERT_TRUE(SetText(::GetDlgItem(settings, kIdSaveDir), run.world.Path("save2")));
    PressKey(Focus(), VK_ESCAPE);
    ASSERT_TRUE(WaitForWindowGone(settings, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(main, kIdShowSaveDir), run.SaveFolder());
    EXPECT_EQ(ControlText(main, kIdShowPackage), "kv2024_0301.zip");

    // Reopened, it still shows the old state; OK stores the new folder and
    // the main dialog shows the new scan at once.
    settings = OpenSettings(main);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(ControlText(settings, kIdSaveDir), run.SaveFolder());
    ASSERT_TRUE(SetText(::GetDlgItem(settings, kIdSaveDir), run.world.Path("save2")));
    ClickButton(settings, IDOK);
    ASSERT_TRUE(WaitForWindowGone(settings, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(main, kIdShowSaveDir), run.world.Path("save2"));
    EXPECT_EQ(ControlText(main, kIdShowPackage), "kv2025_0505.lzh");
    EXPECT_EQ(ControlText(main, kIdShowInstalledDate), LocalTimeText(installedTime));

    // The flags go back as 0 or 1.
    PostSysCommand(main, SC_CLOSE);
    ASSERT_TRUE(run.installer.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(run.SettingsLines(),
              (std::vector<std::string>{"[INSTDATA]", "InstallDirectory=" + run.InstallFolder(),
                                        "SaveDirectory=" + run.world.Path("save2"),
                                        "AddName=", "DeleteFile=1", "QuitKv=0", "ExecuteKv=1"}));
}

TEST_F(SettingsDialogTest, BrowseButtonsPickFromTheEditsFolderAndEditsHoldAtMost259Bytes) {
    run.WriteSettings(
        {"InstallDirectory=" + run.InstallFolder() + "\\", "SaveDirectory=" + run.SaveFolder()});
    ASSERT_TRUE(run.Start());
    HWND main = run.WaitForMainDialog();
    ASSERT_NE(main, nullptr);
    HWND settings = OpenSettings(main);
    ASSERT_NE(settings, nullptr);
    HWND saveEdit = ::GetDlgItem(settings, kIdSaveDir);

    // The shell's picker, modal over the settings dialog, carries the title
    // text. Wine's picker behaves as Windows' does in what is checked here; it
    // only does not scroll its tree to the preselected folder, which shows in
    // the screenshot but not in the folder it gives back.
    HWND picker = OpenPicker(settings, kIdBrowseInstallDir);
    ASSERT_NE(picker, nullptr) << "no folder picker";
    EXPECT_FALSE(::IsWindowEnabled(settings));
    std::vector<ChildControl> parts = ChildControls(picker);
    EXPECT_TRUE(std::any_of(parts.begin(), parts.end(), [](const ChildControl& c) {
        return c.text == kBrowseTitle;
    })) << "no title text in the picker";
    ::Sleep(500); // let it fill its tree and paint
    EXPECT_TRUE(SaveScreenshot(picker, kScreenshots, "folder-picker"));
    EXPECT_EQ(WindowText(picker), "フォルダーの参照");

    // Cancel keeps the edit as it was.
    ClickButton(picker, IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(picker, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(settings, kIdInstallDir), run.InstallFolder() + "\\");

    // Accepted at once, the picker gives back the edit's folder, without its
    // trailing backslash.
    picker = OpenPicker(settings, kIdBrowseInstallDir);
    ASSERT_NE(picker, nullptr);
    ClickButton(picker, IDOK);
    ASSERT_TRUE(WaitForWindowGone(picker, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(settings, kIdInstallDir), run.InstallFolder());

    // A drive root comes back as the bare drive.
    ASSERT_TRUE(SetText(saveEdit, "C:\\"));
    picker = OpenPicker(settings, kIdBrowseSaveDir);
    ASSERT_NE(picker, nullptr);
    ClickButton(picker, IDOK);
    ASSERT_TRUE(WaitForWindowGone(picker, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(settings, kIdSaveDir), "C:");

    // The other button starts from what its edit holds now.
    ASSERT_TRUE(SetText(saveEdit, run.world.Path("save2")));
    picker = OpenPicker(settings, kIdBrowseSaveDir);
    ASSERT_NE(picker, nullptr);
    ClickButton(picker, IDOK);
    ASSERT_TRUE(WaitForWindowGone(picker, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(settings, kIdSaveDir), run.world.Path("save2"));
    EXPECT_EQ(ControlText(settings, kIdInstallDir), run.InstallFolder());

    // Typing stops at 259 bytes.
    HWND addNameEdit = ::GetDlgItem(settings, kIdAddName);
    FocusControl(settings, addNameEdit);
    ASSERT_TRUE(WaitUntil([&] { return Focus() == addNameEdit; }, kWindowTimeoutMs));
    TypeText(addNameEdit, std::string(300, 'a'));
    EXPECT_TRUE(WaitUntil([&] { return TextLength(addNameEdit) == 259; }, kWindowTimeoutMs));
    ::Sleep(kQuietPeriodMs);
    EXPECT_EQ(TextLength(addNameEdit), 259);

    // A longer text put in by other means still reaches the state and the
    // file cut to 259 bytes.
    ASSERT_TRUE(SetText(addNameEdit, std::string(300, 'b')));
    ClickButton(settings, IDOK);
    ASSERT_TRUE(WaitForWindowGone(settings, kWindowTimeoutMs));
    PostSysCommand(main, SC_CLOSE);
    ASSERT_TRUE(run.installer.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(Setting("InstallDirectory"), run.InstallFolder());
    EXPECT_EQ(Setting("SaveDirectory"), run.world.Path("save2"));
    EXPECT_EQ(Setting("AddName"), std::string(259, 'b'));
}

} // namespace
