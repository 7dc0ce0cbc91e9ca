// KvInst's main dialog driven as a user would: the scan's result on screen,
// the window's make-up, the About box, and the ways an install or the program
// ends. Each test is one program start.
#include "input.h"
#include "inside_probe.h"
#include "kvinst_run.h"
#include "kvinst_ui.h"
#include "message_box.h"
#include "screenshot.h"
#include "wait.h"
#include "window_query.h"
#include "zip_builder.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

const char kScreenshots[] = "screenshots";

// The settings file as the installer writes it: the section, then the six
// keys in their fixed order.
std::vector<std::string> WrittenSettings(const KvInstRun& run, const std::string& deleteFile,
                                         const std::string& quitApp,
                                         const std::string& executeApp) {
    return {"[INSTDATA]",
            "InstallDirectory=" + run.InstallFolder(),
            "SaveDirectory=" + run.SaveFolder(),
            "AddName=",
            "DeleteFile=" + deleteFile,
            "QuitKv=" + quitApp,
            "ExecuteKv=" + executeApp};
}

std::vector<std::string> BothFolders(const KvInstRun& run) {
    return {"InstallDirectory=" + run.InstallFolder(), "SaveDirectory=" + run.SaveFolder()};
}

int CountEntry(const std::vector<StubRecord>& records, const std::string& entry) {
    return static_cast<int>(std::count_if(records.begin(), records.end(), [&](const StubRecord& r) {
        auto found = r.find("entry");
        return found != r.end() && found->second == entry;
    }));
}

class MainDialogTest : public ::testing::Test {
  protected:
    // Starts the installer and waits for its main dialog.
    bool StartAndWaitForMainDialog(const EnvironmentOverrides& extra = {}) {
        main = run.Start(extra) ? run.WaitForMainDialog() : nullptr;
        return main != nullptr;
    }

    HWND Focus() const { return FocusedWindow(run.installer.MainThreadId()); }

    void ExpectNoMessageBox() const {
        WindowQuery query;
        query.processId = run.installer.Id();
        query.className = "#32770";
        query.owner = main;
        EXPECT_TRUE(StaysAbsent(query, kQuietPeriodMs)) << "a message box came up";
    }

    void ExpectEndsWithSettingsWritten(const std::vector<std::string>& expected) {
        ASSERT_TRUE(run.installer.WaitForExit(kExitTimeoutMs)) << "the program did not end";
        EXPECT_EQ(run.installer.ExitCode(), 0u);
        EXPECT_EQ(run.SettingsLines(), expected);
    }

    KvInstRun run;
    HWND main = nullptr;
};

TEST_F(MainDialogTest, ShowsScanResultWindowMakeUpAndAboutBoxAndEscEnds) {
    const SYSTEMTIME installed = UtcTime(2024, 2, 10, 8, 5, 3);
    run.InstallViewer(installed);
    run.world.WriteFile("save/kv2024_0301.zip", "zip");
    run.world.WriteFile("save/kv2024_0115.lzh", "lzh");
    run.world.WriteFile("save/readme.txt", "text");
    run.WriteSettings(BothFolders(run));
    ASSERT_TRUE(StartAndWaitForMainDialog()) << "no main dialog";

    // The scan's result, the installed program's time in local time. The test
    // runs in a zone away from UTC, so a time shown unconverted is caught.
    EXPECT_EQ(ControlText(main, kIdShowInstallDir), run.InstallFolder());
    EXPECT_EQ(ControlText(main, kIdShowSaveDir), run.SaveFolder());
    EXPECT_EQ(ControlText(main, kIdShowPackage), "kv2024_0301.zip");
    EXPECT_EQ(ControlText(main, kIdShowInstalledDate), LocalTimeText(installed));
    EXPECT_NE(LocalTimeText(installed), "2024-02-10 08:05:03") << "the test zone must not be UTC";

    // The window: a fixed modal frame with a system menu, its own taskbar
    // button and the application icon in both sizes.
    EXPECT_EQ(ClassName(main), "#32770");
    LONG style = Style(main);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_VISIBLE), WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(ExStyle(main) & WS_EX_APPWINDOW, 0);
    // Under Wine, WM_GETICON gets no answer across processes: asked inside.
    InsideFacts inside;
    ASSERT_TRUE(ReadInsideFacts(main, run.installer.MainThreadId(), run.world.Path("inside.txt"),
                                inside, kWindowTimeoutMs));
    EXPECT_TRUE(inside.hasBigIcon);
    EXPECT_TRUE(inside.hasSmallIcon);

    // The controls in template (and tab) order; the four fields read-only.
    struct Expected {
        int id;
        const char* className;
        const char* text;
    };
    const Expected expected[] = {{IDOK, "Button", "Install"},
                                 {IDCANCEL, "Button", "ｷｬﾝｾﾙ"},
                                 {kIdSettingsButton, "Button", "設定"},
                                 {kIdShowInstallDir, "Edit", nullptr},
                                 {kIdShowSaveDir, "Edit", nullptr},
                                 {kIdShowPackage, "Edit", nullptr},
                                 {kIdShowInstalledDate, "Edit", nullptr},
                                 {-1, "Static", "Install先"},
                                 {-1, "Static", "Installファイル"},
                                 {-1, "Static", "旧ファイル日付"},
                                 {-1, "Static", "Install元"}};
    std::vector<ChildControl> controls = ChildControls(main);
    ASSERT_EQ(controls.size(), std::size(expected));
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(controls[i].id, expected[i].id);
        EXPECT_EQ(controls[i].className, expected[i].className);
        if (expected[i].text != nullptr) {
            EXPECT_EQ(controls[i].text, expected[i].text);
        }
        if (controls[i].className == "Edit") {
            EXPECT_NE(controls[i].style & ES_READONLY, 0);
            EXPECT_NE(controls[i].style & WS_TABSTOP, 0);
        }
    }
    DWORD_PTR defaultId = 0;
    ASSERT_TRUE(SendWithTimeout(main, DM_GETDEFID, 0, 0, &defaultId));
    EXPECT_EQ(HIWORD(defaultId), DC_HASDEFID);
    EXPECT_EQ(LOWORD(defaultId), IDOK);
    EXPECT_TRUE(WaitUntil([&] { return Focus() == ::GetDlgItem(main, IDOK); }, kWindowTimeoutMs))
        << "the focus starts on Install";

    // The system menu ends with a separator and the About entry.
    const std::vector<MenuEntry>& menu = inside.systemMenu;
    ASSERT_GE(menu.size(), 3u);
    const MenuEntry& separator = menu[menu.size() - 2];
    const MenuEntry& about = menu.back();
    EXPECT_TRUE(separator.separator);
    EXPECT_FALSE(about.separator);
    EXPECT_EQ(about.id, kAboutCommand);
    EXPECT_EQ(about.text, kAboutMenuText);
    EXPECT_TRUE(std::any_of(menu.begin(), menu.end() - 2, [](const MenuEntry& entry) {
        return entry.id == SC_CLOSE;
    })) << "the system's own entries stay in front";

    ASSERT_TRUE(SaveScreenshot(main, kScreenshots, "main-dialog"));

    // A system command outside 0x0010..0x001F takes its default course: the
    // message returns at once and no About box opens.
    ASSERT_TRUE(SendWithTimeout(main, WM_SYSCOMMAND, 0x0020, 0, nullptr));
    WindowQuery aboutQuery;
    aboutQuery.processId = run.installer.Id();
    aboutQuery.caption = kAboutCaption;
    EXPECT_TRUE(StaysAbsent(aboutQuery, kQuietPeriodMs));

    // 0x0010 opens the About box over the disabled main dialog; OK closes it.
    PostSysCommand(main, kAboutCommand);
    HWND aboutBox = run.WaitForDialog(kAboutCaption, main);
    ASSERT_NE(aboutBox, nullptr) << "no About box for 0x0010";
    EXPECT_FALSE(::IsWindowEnabled(main));
    std::vector<ChildControl> aboutControls = ChildControls(aboutBox);
    EXPECT_TRUE(std::any_of(aboutControls.begin(), aboutControls.end(),
                            [](const ChildControl& c) { return c.text == kAboutVersionText; }));
    ::Sleep(300); // let it paint before the picture is taken
    EXPECT_TRUE(SaveScreenshot(aboutBox, kScreenshots, "about-box"));
    ClickButton(aboutBox, IDOK);
    ASSERT_TRUE(WaitForWindowGone(aboutBox, kWindowTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }, kWindowTimeoutMs));

    // 0x001F opens it as well; Esc closes it.
    PostSysCommand(main, kAboutCommand | 0xF);
    aboutBox = run.WaitForDialog(kAboutCaption, main);
    ASSERT_NE(aboutBox, nullptr) << "no About box for 0x001F";
    ASSERT_TRUE(WaitUntil([&] { return ::IsChild(aboutBox, Focus()) != FALSE; }, kWindowTimeoutMs));
    PressKey(Focus(), VK_ESCAPE);
    ASSERT_TRUE(WaitForWindowGone(aboutBox, kWindowTimeoutMs));

    // Esc in the main dialog ends the program without installing; the
    // settings file gets all six keys.
    ASSERT_TRUE(WaitUntil([&] { return Focus() == ::GetDlgItem(main, IDOK); }, kWindowTimeoutMs));
    PressKey(Focus(), VK_ESCAPE);
    ExpectEndsWithSettingsWritten(WrittenSettings(run, "0", "1", "1"));
    EXPECT_TRUE(run.Records().empty()) << "nothing was installed";
}

TEST_F(MainDialogTest, InstallClosesViewerUnpacksDeletesPackageStartsViewerAndEnds) {
    run.InstallViewer(UtcTime(2025, 2, 10, 8, 5, 3));
    ZipBuilder package;
    package.AddFile("readme.txt", "Kolva View 2025-03-01");
    package.AddFile("docs/history.txt", "what is new");
    std::vector<unsigned char> zip = package.Build();
    run.world.WriteFile("save/kv2025_0301.zip", std::string(zip.begin(), zip.end()));
    run.WriteSettings({"InstallDirectory=" + run.InstallFolder(),
                       "SaveDirectory=" + run.SaveFolder(), "AddName=", "DeleteFile=1"});
    AppProcess oldViewer;
    ASSERT_TRUE(run.StartViewer(oldViewer));
    ASSERT_TRUE(StartAndWaitForMainDialog()) << "no main dialog";

    ClickButton(main, IDOK);
    ASSERT_TRUE(run.installer.WaitForExit(kExitTimeoutMs)) << "the install did not end the program";
    EXPECT_EQ(run.installer.ExitCode(), 0u);
    EXPECT_TRUE(oldViewer.WaitForExit(kExitTimeoutMs)) << "the running viewer was not closed";

    // In order: the old viewer asked to close and gone, then the archiver
    // called once, then the new viewer started from the install folder (it
    // starts on its own, maybe after the installer has ended).
    EXPECT_TRUE(WaitUntil([&] { return run.Records().size() >= 5; }, kWindowTimeoutMs));
    std::vector<StubRecord> records = run.Records();
    ASSERT_EQ(records.size(), 5u) << run.world.ReadFile("records.txt");
    const std::string oldId = std::to_string(oldViewer.Id());
    EXPECT_EQ(records[0]["event"], "start");
    EXPECT_EQ(records[1]["event"], "close");
    EXPECT_EQ(records[1]["process"], oldId);
    EXPECT_EQ(records[2]["event"], "exit");
    EXPECT_EQ(records[2]["process"], oldId);
    EXPECT_EQ(records[3]["entry"], "UnZip");
    EXPECT_EQ(records[3]["commandLine"],
              "-x -o " + run.SaveFolder() + "\\kv2025_0301.zip " + run.InstallFolder() + "\\");
    EXPECT_EQ(records[3]["outputSize"], "500");
    EXPECT_EQ(records[3]["ownerTitle"], kMainCaption);
    EXPECT_EQ(records[3]["result"], "0");
    EXPECT_EQ(records[4]["event"], "start");
    EXPECT_NE(records[4]["process"], oldId);
    EXPECT_EQ(::lstrcmpiA(records[4]["directory"].c_str(), run.InstallFolder().c_str()), 0)
        << records[4]["directory"];

    // The package's files are in place and the package itself is gone.
    EXPECT_EQ(run.world.ReadFile("install/readme.txt"), "Kolva View 2025-03-01");
    EXPECT_EQ(run.world.ReadFile("install/docs/history.txt"), "what is new");
    EXPECT_FALSE(run.world.Exists("save/kv2025_0301.zip"));
    EXPECT_EQ(run.SettingsLines(), WrittenSettings(run, "1", "1", "1"));

    // The new viewer shows its window; close it.
    DWORD newId = static_cast<DWORD>(std::stoul(records[4]["process"]));
    HANDLE newViewer = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, newId);
    ASSERT_NE(newViewer, nullptr) << "the started viewer is gone";
    WindowQuery query;
    query.processId = newId;
    query.caption = kViewerTitle;
    HWND window = WaitForWindow(query, kWindowTimeoutMs);
    EXPECT_NE(window, nullptr) << "the started viewer shows no window";
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(newViewer, kExitTimeoutMs) != WAIT_OBJECT_0)
        ::TerminateProcess(newViewer, 255);
    ::CloseHandle(newViewer);
}

TEST_F(MainDialogTest, FailedArchiverCallKeepsDialogOpenSilentlyEnterOnFieldInstallsCloseBoxEnds) {
    run.world.WriteFile("save/kv2024_0301.zip", "zip");
    run.WriteSettings({"InstallDirectory=" + run.InstallFolder(),
                       "SaveDirectory=" + run.SaveFolder(), "AddName=", "DeleteFile=1",
                       "QuitKv=0"});
    ASSERT_TRUE(StartAndWaitForMainDialog({{"KVSTUB_RESULT", "7"}})) << "no main dialog";

    // Enter in a read-only field presses the default button, Install.
    HWND packageField = ::GetDlgItem(main, kIdShowPackage);
    FocusControl(main, packageField);
    ASSERT_TRUE(WaitUntil([&] { return Focus() == packageField; }, kWindowTimeoutMs));
    PressKey(packageField, VK_RETURN);
    ASSERT_TRUE(
        WaitUntil([&] { return CountEntry(run.Records(), "UnZip") == 1; }, kWindowTimeoutMs))
        << "Enter did not install";

    // The archiver's failure shows nothing and changes nothing.
    ExpectNoMessageBox();
    EXPECT_TRUE(run.installer.IsRunning());
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_TRUE(::IsWindowEnabled(main));
    EXPECT_TRUE(run.world.Exists("save/kv2024_0301.zip"));
    std::vector<StubRecord> records = run.Records();
    ASSERT_EQ(records.size(), 1u) << "nothing else happened: no viewer started";
    EXPECT_EQ(records[0]["result"], "7");

    // Install can be pressed again.
    ClickButton(main, IDOK);
    ASSERT_TRUE(
        WaitUntil([&] { return CountEntry(run.Records(), "UnZip") == 2; }, kWindowTimeoutMs));

    // The close box ends the program; the settings are written.
    PostSysCommand(main, SC_CLOSE);
    ExpectEndsWithSettingsWritten(WrittenSettings(run, "1", "0", "1"));
    EXPECT_TRUE(run.world.Exists("save/kv2024_0301.zip"));
}

TEST_F(MainDialogTest, PackageOlderThanInstalledProgramAsksAndCancelTouchesNothing) {
    run.InstallViewer(UtcTime(2024, 3, 2, 12, 0, 0));
    run.world.WriteFile("save/kv2024_0301.zip", "zip");
    run.WriteSettings(BothFolders(run));
    AppProcess viewer;
    ASSERT_TRUE(run.StartViewer(viewer));
    ASSERT_TRUE(StartAndWaitForMainDialog()) << "no main dialog";

    ClickButton(main, IDOK);
    MessageBoxInfo question = WaitForMessageBox(run.installer.Id(), main, kWindowTimeoutMs);
    ASSERT_NE(question.window, nullptr) << "no question";
    EXPECT_EQ(question.caption, kConfirmCaption);
    EXPECT_EQ(question.text, kOverwriteOlderText);
    EXPECT_EQ(question.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    ASSERT_TRUE(AnswerMessageBox(question, IDCANCEL, kWindowTimeoutMs));

    // No archiver call, the running viewer untouched, the dialog open.
    ExpectNoMessageBox();
    std::vector<StubRecord> records = run.Records();
    ASSERT_EQ(records.size(), 1u) << "only the viewer's start";
    EXPECT_EQ(records[0]["event"], "start");
    EXPECT_TRUE(viewer.IsRunning());
    EXPECT_TRUE(run.installer.IsRunning());
    EXPECT_TRUE(run.world.Exists("save/kv2024_0301.zip"));

    // "ｷｬﾝｾﾙ" ends the program.
    ClickButton(main, IDCANCEL);
    ExpectEndsWithSettingsWritten(WrittenSettings(run, "0", "1", "1"));
    EXPECT_EQ(run.Records().size(), 1u);
}

TEST_F(MainDialogTest, MissingPackageIsReportedUnderTheApplicationName) {
    run.world.WriteFile("save/readme.txt", "text");
    run.world.MakeFolder("save/kv2025_0101.zip"); // a folder is no package
    run.WriteSettings(BothFolders(run));
    ASSERT_TRUE(StartAndWaitForMainDialog()) << "no main dialog";
    EXPECT_EQ(ControlText(main, kIdShowPackage), "");

    ClickButton(main, IDOK);
    MessageBoxInfo box = WaitForMessageBox(run.installer.Id(), main, kWindowTimeoutMs);
    ASSERT_NE(box.window, nullptr) << "no message";
    EXPECT_EQ(box.caption, kAppName);
    EXPECT_EQ(box.text, kNoPackageText);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    ASSERT_TRUE(AnswerMessageBox(box, IDOK, kWindowTimeoutMs));
    ExpectNoMessageBox();
    EXPECT_TRUE(run.Records().empty());

    PostSysCommand(main, SC_CLOSE);
    ExpectEndsWithSettingsWritten(WrittenSettings(run, "0", "1", "1"));
}

} // namespace
