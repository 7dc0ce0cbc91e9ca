// KvInst.exe as its users meet it: each test starts the real program in a world
// of its own from the table below, drives its windows and checks what it shows
// and leaves on disk. The stand-ins append what they were asked to records.txt.
#include "app_process.h"
#include "test_world.h"
#include "window_driver.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <random>

namespace {

using namespace std::string_literals;

constexpr char kMain[] = "KV Installer(Zip Ver)", kSettings[] = "設定";
constexpr int kSettingsButton = 1000, kShowInstall = 1001, kShowSave = 1002, kShowPackage = 1003,
              kShowDate = 1004; // main dialog
constexpr int kSaveEdit = 1002, kBrowseSave = 1003, kInstallEdit = 1004, kBrowseInstall = 1005,
              kDeleteBox = 1006, kAddNameEdit = 1007, kQuitBox = 1008,
              kExecuteBox = 1009; // settings
// The stand-in; one without the UnZip entry that records its loading and
// release; one that pumps messages during its call (pumping_dll.cpp).
constexpr char kUnzip[] = KVE2E_STUBS "\\unzip32.DLL", kNoEntryLibrary[] = "no_entry\\unzip32.DLL",
               kPumping[] = "pumping\\unzip32.DLL";

// One world per program start. Entries of the save folder: a trailing '/'
// makes a folder, ":r" a read-only file, ":z" a real ZIP package. In the
// settings file, {save} and {install} stand for the folders, {junk} for 5,000
// random bytes, {c*N} for N times c. The browsed folder has a plain name:
// Wine's picker does not reliably preselect one with double-byte characters.
struct World {
    const char* test;
    const char* save;
    const char* install;      // holds the stand-in kv.exe
    SYSTEMTIME viewerWritten; // UTC
    std::vector<const char*> entries;
    const char* unzip;          // beside KvInst; nullptr: one in its current folder only
    const char* archiverResult; // KVSTUB_RESULT, and the pumping library's KVSTUB_SCRIPT
    const char* settings;       // kvinst.ini; nullptr: none
};

// clang-format off
const World kWorlds[] = {
    {"FirstRun", "save表", "install", {2024, 2, 0, 9, 23, 5, 3, 0},
     {"kv2024_0301_.lzh", "kv2024_0115.lzh", "kv2023_1224_.zip", "kv202403011.zip",
      "kv2024_0301.zip:r", "kv2024_03010.zip", "kv2025_0101.zip/", "readme.txt"},
     kUnzip, "", nullptr},
    {"Install", "save表", "inst 表", {2025, 2, 0, 10, 0, 0, 0, 0}, {"kv2025_0301.zip:z"},
     kUnzip, "",
     "[Other]\r\nkeep=1\r\n[INSTDATA]\r\ninstalldirectory=\r\nSaveDirectory={save}\r\n"
     "DeleteFile=1\r\n"},
    {"StubbornViewerAndFailingLha", "save", "inst 表", {2024, 1, 0, 1, 0, 0, 0, 0},
     {"kv2024_0301_.lzh"}, kUnzip, "7",
     "[INSTDATA]\r\nInstallDirectory={install}\r\nSaveDirectory={save}\r\nDeleteFile=1\r\n"},
    {"ArchiverFaults", "s", "i", {2024, 3, 0, 2, 12, 0, 0, 0}, {"kv2024_0301.zip"}, nullptr, "",
     "[INSTDATA]\r\nInstallDirectory=i\r\nSaveDirectory=s\r\nDeleteFile=1\r\nQuitKv=\r\n"},
    {"PumpingArchiver", "s", "i", {2024, 1, 0, 1, 0, 0, 0, 0},
     {"kv2025_0301.zip", "kv2024_0101.zip"}, kPumping, "impatient,chdir,dllsearch,quit,fail;wait,chdir",
     "[INSTDATA]\r\nInstallDirectory=i\r\nSaveDirectory=s\r\nDeleteFile=1\r\n"},
    {"HostileSettings", "save", "install", {2024, 1, 0, 1, 0, 0, 0, 0}, {"kv2024_0301.zip"},
     kUnzip, "",
     "{junk}\r\n[User]\r\nkeep=1\r\n{junk}\r\n[INSTDATA]\nInstallDirectory={install}\n"
     "SaveDirectory=\r\nAddName={A*100000}\nDeleteFile={7*499}\r\n"
     "QuitKv={0*497}5表表\nExecuteKv=1234567890123456789012345678901234567890\n"
     "InstallDirectory=C:\\duplicate\n{junk}\r\n[After]\r\nomega=two words\r\n"},
};
// clang-format on

// The settings file of a row, its placeholders filled in.
std::string Expand(std::string text, const TestWorld& world, const World& row) {
    std::mt19937 random(7);
    for (std::size_t open = 0; (open = text.find('{', open)) != std::string::npos;) {
        const std::size_t close = text.find('}', open);
        const std::string name = text.substr(open + 1, close - open - 1);
        std::string value = world.Path(name == "save" ? row.save : row.install);
        if (name == "junk") // random bytes after a first one that is no byte-order mark
            for (value = "j"; value.size() < 5000;)
                value += static_cast<char>(random());
        if (name[1] == '*')
            value.assign(std::stoul(name.substr(2)), name[0]);
        text.replace(open, close - open + 1, value);
        open += value.size(); // junk may hold braces
    }
    return text;
}

// The Windows of the test's variant (KVE2E_VARIANT): "wow64", "dpi144", else win32 at 96 DPI.
bool Variant(const char* name) {
    return std::string(std::getenv("KVE2E_VARIANT") ? std::getenv("KVE2E_VARIANT") : "") == name;
}
// Whether the suite is in the Windows due: in WOW64 or not, and the screen's DPI
// as a program declared DPI-aware, as KvInst is, finds it (others are told 96).
bool InDueWindows() {
    BOOL wow64 = FALSE;
    ::SetProcessDPIAware(), ::IsWow64Process(::GetCurrentProcess(), &wow64);
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    return ::ReleaseDC(nullptr, screen),
           wow64 == Variant("wow64") && dpi == (Variant("dpi144") ? 144 : 96);
}
// In WOW64: unzip32.DLL in SysWOW64, or in the 64-bit System32 as a 32-bit program names it.
std::string SystemLibrary(bool wow64Folder) {
    char folder[MAX_PATH] = "";
    wow64Folder ? ::GetSystemWow64DirectoryA(folder, MAX_PATH)
                : ::GetWindowsDirectoryA(folder, MAX_PATH);
    return folder + std::string(wow64Folder ? "" : "\\Sysnative") + "\\unzip32.DLL";
}
// True when neither holds it (any longer): the next world, and the next run's, would find it.
bool RemoveSystemLibraries() {
    bool gone = true;
    for (const bool wow64Folder : {false, true})
        gone &= ::DeleteFileA(SystemLibrary(wow64Folder).c_str()) ||
                ::GetLastError() == ERROR_FILE_NOT_FOUND;
    return gone;
}

class Run : public ::testing::Test {
  protected:
    // Checks that the suite is in the Windows of the test's variant, lays out
    // the world of this test's row and points the stand-ins at it.
    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (const World& candidate : kWorlds)
            row = candidate.test == test ? &candidate : row;
        ASSERT_NE(row, nullptr);
        ASSERT_TRUE(InDueWindows()) << "not in the Windows of this variant";
        ASSERT_TRUE(!Variant("wow64") || RemoveSystemLibraries()) << "a library left behind";
        for (const char* folder : {"app", row->save, row->install})
            world.MakeFolder(folder);
        world.CopyIn(BesideProgram(KVE2E_INSTALLER), "app/KvInst.exe");
        world.CopyIn(BesideProgram(KVE2E_STUBS "\\UNLHA32.DLL"), "app/UNLHA32.DLL");
        world.CopyIn(BesideProgram(row->unzip ? row->unzip : kNoEntryLibrary),
                     row->unzip ? "app/unzip32.DLL" : "unzip32.DLL");
        world.CopyIn(BesideProgram(KVE2E_STUBS "\\kv.exe"), Install("kv.exe"));
        world.SetLastWriteTime(Install("kv.exe"), row->viewerWritten);
        for (std::string entry : row->entries) {
            const char kind = entry[entry.size() - 2] == ':' ? entry.back() : 0;
            entry.resize(entry.size() - (kind ? 2 : 0));
            if (entry.back() == '/')
                world.MakeFolder(Save(entry));
            else
                kind == 'z' ? world.CopyIn(BesideProgram(KVE2E_DATA "\\" + entry), Save(entry))
                            : world.WriteFile(Save(entry), "package");
            if (kind == 'r')
                ::SetFileAttributesA(world.Path(Save(entry)).c_str(), FILE_ATTRIBUTE_READONLY);
        }
        if (row->settings != nullptr)
            world.WriteFile("app/kvinst.ini", Expand(row->settings, world, *row));
        for (const char* log : {"KVSTUB_LOG", "KVSTUB_KV_LOG"})
            ::SetEnvironmentVariableA(log, world.Path("records.txt").c_str());
        for (const char* script : {"KVSTUB_RESULT", "KVSTUB_SCRIPT"}) // "": the stand-in works
            ::SetEnvironmentVariableA(script, *row->archiverResult ? row->archiverResult : nullptr);
    }

    // Ends every kv.exe started (a Wine process left running holds the test runner's
    // output open) and KvInst; frees the read-only package, clears the system folders.
    void TearDown() override {
        const std::string records = Records();
        for (std::size_t at = 0;
             (at = records.find("event=start\nprocess=", at)) != std::string::npos;) {
            HANDLE viewer =
                ::OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(records.substr(at += 20)));
            ::TerminateProcess(viewer, 255), ::CloseHandle(viewer);
        }
        kvinst.Kill();
        EXPECT_TRUE(!Variant("wow64") || RemoveSystemLibraries());
        ::SetFileAttributesA(world.Path(Save("kv2024_0301.zip")).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    std::string Save(const std::string& name) const { return row->save + ("/" + name); }
    std::string Install(const std::string& name) const { return row->install + ("/" + name); }
    std::string SaveFolder() const { return world.Path(row->save); }
    std::string InstallFolder() const { return world.Path(row->install); }
    std::string Settings() const { return world.ReadFile("app/kvinst.ini"); }
    bool SettingsHold(const std::string& line) const {
        return Settings().find(line + "\r\n") != std::string::npos;
    }
    // Starts KvInst and waits for its first window: the main dialog, or the
    // settings dialog when a folder is not set. main is the main dialog, shown or not.
    HWND Start(const char* first = kMain) {
        EXPECT_TRUE(kvinst.Start(world.Path("app/KvInst.exe"), "", world.Root()));
        HWND window = Window(first);
        main = ::FindWindowA("#32770", kMain);
        EXPECT_NE(window, nullptr) << "no " << first;
        return window;
    }
    // What the settings dialog shows: its edits and, as 0 or 1, its check boxes.
    static std::string Shown(HWND settings) {
        std::string shown;
        for (int id : {kInstallEdit, kSaveEdit, kAddNameEdit})
            shown += ControlText(settings, id) + "|";
        for (int id : {kDeleteBox, kQuitBox, kExecuteBox})
            shown += std::to_string(Ask(::GetDlgItem(settings, id), BM_GETCHECK)) + " ";
        return shown.substr(0, shown.size() - 1);
    }
    static RECT WorkArea() {
        RECT area = {};
        return ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0), area;
    }
    // Centred to the pixel that halving in whole pixels allows.
    static void ExpectCentredOver(HWND window, const RECT& over) {
        const RECT rect = WindowRect(window);
        EXPECT_LE(std::abs(rect.left + rect.right - over.left - over.right), 1);
        EXPECT_LE(std::abs(rect.top + rect.bottom - over.top - over.bottom), 1);
    }
    HWND Window(const char* caption, HWND owner = nullptr) const {
        return WindowQuery{kvinst.Id(), caption, owner}.WaitFor();
    }
    HWND OpenSettings() const { return Click(main, kSettingsButton), Window(kSettings, main); }
    // Presses the window's button and waits until the window has gone.
    static bool Close(HWND window, int button) {
        return Click(window, button), WaitForGone(window);
    }
    void StartViewer(AppProcess& viewer, const std::string& arguments) const {
        ASSERT_TRUE(viewer.Start(world.Path(Install("kv.exe")), arguments, InstallFolder()));
        ASSERT_NE(WindowQuery{viewer.Id()}.WaitFor(), nullptr);
    }
    // Presses OK of dialog if given; expects a message box over it (by default
    // the main dialog; its text in control 0xFFFF) with this text and caption, and answers it.
    void ExpectMessage(HWND dialog, const char* text, const char* caption = "KvInst",
                       int answer = IDOK) {
        if (dialog != nullptr)
            Click(dialog, IDOK);
        HWND box = nullptr, owner = dialog ? dialog : main; // box found maybe before its text
        const auto shown = [&] { return (box = WindowQuery{kvinst.Id(), nullptr, owner}.Find()); };
        EXPECT_TRUE(WaitUntil([&] { return shown() && ControlText(box, 0xFFFF) == text; }, 60000))
            << "no such message box: " << text;
        EXPECT_EQ(Text(box), caption);
        ASSERT_TRUE(Close(box, answer));
    }
    void ExpectNoMessageBox() const {
        EXPECT_TRUE((WindowQuery{kvinst.Id(), nullptr, main}.StaysAbsent())) << "a message box";
    }
    // The dialog is open and answers; the package is there; no kv.exe started.
    void ExpectInstallChangedNothing(const std::string& package, bool own = false) const {
        EXPECT_TRUE(::IsWindowVisible(main) && Text(main) == kMain) << "gone or hung";
        EXPECT_NE(world.ReadFile(Save(package)), "<missing>");
        EXPECT_EQ(Count("event=start\n"), own ? 1 : 0) << "kv.exe was started";
    }
    void ExpectEnds() {
        ASSERT_TRUE(kvinst.WaitForExit(kExitTimeoutMs)) << "the program did not end";
        EXPECT_EQ(kvinst.ExitCode(), 0u);
    }
    // What the stand-ins recorded: "key=value" lines, an empty line after each record.
    std::string Records() const { return world.ReadFile("records.txt"); }
    int Count(const std::string& line) const {
        const std::string records = "\n" + Records();
        int count = 0;
        for (std::size_t at = 0; (at = records.find("\n" + line, at)) != std::string::npos; ++at)
            ++count;
        return count;
    }

    const World* row = nullptr;
    TestWorld world;
    AppProcess kvinst;
    HWND main = nullptr;
};

// No kvinst.ini: the settings dialog opens first, centred on the screen over the
// hidden main dialog; its values reach the state and come back to it, and the
// file gets the section and six keys in order; the scan shows the newest package
// as listed and kv.exe's time in local time; centring, the About box; Esc ends.
TEST_F(Run, FirstRun) {
    HWND settings = Start(kSettings);
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(main && !::IsWindowVisible(main) && ::GetWindow(settings, GW_OWNER) == main);
    EXPECT_TRUE(::GetWindowLongA(settings, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no taskbar button";
    ExpectCentredOver(settings, WorkArea());
    EXPECT_EQ(Shown(settings), "|||0 1 1");

    // Each browse button fills its own edit; the picker is titled, without edit box.
    // Cancelled, or on the computer node, which has no path, it leaves the edit
    // alone; accepted at once, it gives back the folder preselected (of two
    // trailing backslashes one is cut), a drive root as C:, a folder of 259
    // bytes. (Wine's first picker in a process may preselect nothing: OK comes second.)
    const std::string typed = InstallFolder() + "\\";
    const std::string longest = Install(std::string(258 - InstallFolder().size(), 'L'));
    world.MakeFolder(longest);
    constexpr int kComputerNode = 0;
    const struct {
        int browse, edit;
        std::string text;
        int answer;
        std::string shown;
    } browses[] = {{kBrowseInstall, kInstallEdit, typed, IDCANCEL, typed},
                   {kBrowseInstall, kInstallEdit, "C:", IDOK, "C:"},
                   {kBrowseInstall, kInstallEdit, typed + "\\", IDOK, InstallFolder()},
                   {kBrowseSave, kSaveEdit, typed, kComputerNode, typed},
                   {kBrowseSave, kSaveEdit, typed, IDOK, InstallFolder()},
                   {kBrowseSave, kSaveEdit, world.Path(longest), IDOK, world.Path(longest)}};
    for (const auto& [browse, edit, text, answer, shown] : browses) {
        ASSERT_TRUE(SetControlText(settings, edit, text));
        Click(settings, browse);
        HWND picker = Window(nullptr, settings);
        ASSERT_NE(picker, nullptr) << "no folder picker";
        EXPECT_NE(::FindWindowExA(picker, nullptr, "Static", "パスを指定してください。"), nullptr);
        EXPECT_EQ(::FindWindowExA(picker, nullptr, "Edit", nullptr), nullptr) << "an edit box";
        if (answer == kComputerNode) { // the desktop's items: /, My Documents, My Computer
            HWND tree = ::FindWindowExA(picker, nullptr, "SysTreeView32", nullptr);
            DWORD_PTR item = Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT);
            for (WPARAM next : {TVGN_CHILD, TVGN_NEXT, TVGN_NEXT})
                item = Ask(tree, TVM_GETNEXTITEM, next, item);
            ASSERT_TRUE(Ask(tree, TVM_SELECTITEM, TVGN_CARET, item));
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(picker, IDOK))) << "OK greyed";
        }
        ASSERT_TRUE(Close(picker, answer == IDCANCEL ? IDCANCEL : IDOK));
        EXPECT_EQ(ControlText(settings, edit), shown) << text << " " << answer;
    }
    ASSERT_TRUE(SetControlText(settings, kSaveEdit, SaveFolder()));
    for (int box : {kDeleteBox, kQuitBox, kExecuteBox})
        ::PostMessageA(::GetDlgItem(settings, box), BM_CLICK, 0, 0);
    ASSERT_TRUE(Close(settings, IDOK));

    ASSERT_NE(main = Window(kMain), nullptr);
    EXPECT_EQ(ControlText(main, kShowInstall), InstallFolder());
    EXPECT_EQ(ControlText(main, kShowSave), SaveFolder());
    EXPECT_EQ(ControlText(main, kShowPackage), "kv2024_0301.zip");
    EXPECT_EQ(ControlText(main, kShowDate), "2024-02-10 08:05:03");
    ExpectCentredOver(main, WorkArea());
    // Down the middle, between its controls, the dialog shows its background.
    RECT client;
    POINT at = {(::GetClientRect(main, &client), client.right / 2), 0};
    for (::ClientToScreen(main, &at); client.bottom-- > 0; ++at.y) // each row of the client
        ASSERT_TRUE(::WindowFromPoint(at) != main ||
                    ScreenPixel(at.x, at.y) == ::GetSysColor(COLOR_BTNFACE))
            << at.y;
    // There is no help file: the help command and F1 leave the dialog as it was.
    ::PostMessageA(main, WM_COMMAND, 0xE146, 0);
    ::PostMessageA(::GetDlgItem(main, IDOK), WM_KEYDOWN, VK_F1, 1);
    // The About box over the work area while the main dialog is minimised, then over it.
    for (const bool minimised : {true, false}) {
        ::ShowWindowAsync(main, minimised ? SW_MINIMIZE : SW_RESTORE);
        ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(main) == minimised; }, 5000));
        ::PostMessageA(main, WM_SYSCOMMAND, 0x001F, 0);
        HWND about = Window("ﾊﾞｰｼﾞｮﾝ情報 KvInst", main);
        ASSERT_NE(about, nullptr) << "no About box";
        ExpectCentredOver(about, minimised ? WorkArea() : WindowRect(main));
        ASSERT_TRUE(Close(about, IDOK));
    }

    ASSERT_NE(settings = OpenSettings(), nullptr);
    ExpectCentredOver(settings, WindowRect(main));
    EXPECT_FALSE(::GetWindowLongA(settings, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(Shown(settings), InstallFolder() + "|" + SaveFolder() + "||1 0 0");
    ASSERT_TRUE(SetControlText(settings, kAddNameEdit, "x"));
    ASSERT_TRUE(Close(settings, IDOK));
    EXPECT_EQ(ControlText(main, kShowPackage), "");

    // Over a main dialog pushed past a corner of the screen, the settings
    // dialog stays inside the work area. Cancelled, it does not rescan.
    world.WriteFile(Save("kv2026_0101.zipx"), "package");
    for (const bool topLeft : {true, false}) {
        const RECT area = WorkArea(), rect = WindowRect(main);
        ::SetWindowPos(main, nullptr,
                       topLeft ? area.left - 100 : area.right - rect.right + rect.left + 100,
                       topLeft ? area.top - 100 : area.bottom - rect.bottom + rect.top + 100, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_NE(settings = OpenSettings(), nullptr);
        const RECT inside = WindowRect(settings);
        EXPECT_EQ(topLeft ? inside.left : inside.right, topLeft ? area.left : area.right);
        EXPECT_EQ(topLeft ? inside.top : inside.bottom, topLeft ? area.top : area.bottom);
        ASSERT_TRUE(Close(settings, IDCANCEL));
    }
    EXPECT_EQ(ControlText(main, kShowPackage), "");

    PressEscape(main, IDOK);
    ExpectEnds();
    EXPECT_EQ(Settings(), "[INSTDATA]\r\nInstallDirectory=" + InstallFolder() +
                              "\r\nSaveDirectory=" + SaveFolder() +
                              "\r\nAddName=x\r\nDeleteFile=1\r\nQuitKv=0\r\nExecuteKv=0\r\n");
    EXPECT_EQ(Records(), "<missing>");
}

// An install folder not set opens the settings dialog; Cancel discards, OK rescans. Install closes
// both viewers, calls the archiver with the quoted destination, unpacks, deletes the package,
// starts kv.exe in the install folder and ends; the lower-case key is updated in place.
TEST_F(Run, Install) {
    AppProcess first, second;
    StartViewer(first, "\"first - kv\"");
    StartViewer(second, "\"second - kv\" --close-after-ms 1000");
    HWND settings = Start(kSettings);
    for (int button : {IDCANCEL, IDOK}) {
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(ControlText(settings, kInstallEdit), "");
        ASSERT_TRUE(SetControlText(settings, kInstallEdit, InstallFolder()));
        ASSERT_TRUE(Close(settings, button));
        if (button == IDCANCEL) {
            ASSERT_NE(Window(kMain), nullptr);
            EXPECT_EQ(ControlText(main, kShowInstall) + ControlText(main, kShowDate), "");
            settings = OpenSettings();
        }
    }
    EXPECT_EQ(ControlText(main, kShowInstall), InstallFolder());
    EXPECT_EQ(ControlText(main, kShowDate), "2025-02-10 09:00:00");

    Click(main, IDOK);
    ExpectEnds();
    EXPECT_TRUE(first.WaitForExit(kExitTimeoutMs) && second.WaitForExit(kExitTimeoutMs));
    WaitUntil([&] { return Count("event=start\n") == 3; }, kWindowTimeoutMs);
    // Both viewers asked to close and gone, the archiver called, kv.exe started.
    const std::string records = Records();
    const std::size_t call = records.find(
        "entry=UnZip\ncommandLine=-x -o " + SaveFolder() + "\\kv2025_0301.zip \"" +
        InstallFolder() + "\\\"\noutputSize=500\nownerIsWindow=1\nownerTitle=" + kMain);
    EXPECT_EQ(Count("event=close\n") + Count("event=exit\n"), 4) << records;
    EXPECT_TRUE(call != std::string::npos && call > records.rfind("event=exit")) << records;
    EXPECT_NE(records.find("result=0\n\nevent=start\n", call), std::string::npos);
    EXPECT_NE(records.find("directory=" + InstallFolder() + "\n", call), std::string::npos);
    EXPECT_EQ(world.ReadFile(Install("readme.txt")), "Kolva View 2025");
    EXPECT_EQ(world.ReadFile(Install("docs/history.txt")), "what is new");
    EXPECT_EQ(world.ReadFile(Save("kv2025_0301.zip")), "<missing>");
    EXPECT_EQ(Settings(), "[Other]\r\nkeep=1\r\n[INSTDATA]\r\ninstalldirectory=" + InstallFolder() +
                              "\r\nSaveDirectory=" + SaveFolder() +
                              "\r\nDeleteFile=1\r\nAddName=\r\nQuitKv=1\r\nExecuteKv=1\r\n");
}

// A viewer that ignores WM_CLOSE: reported after the 20 polls, no archiver call. The LHA call
// fails: no message, nothing deleted or started. The session's end, not held up: cancelled,
// nothing is written; real, the settings are. Killed while waiting, KvInst keeps the settings.
TEST_F(Run, StubbornViewerAndFailingLha) {
    AppProcess stubborn;
    StartViewer(stubborn, "\"stubborn - kv\" --ignore-close");
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(ControlText(main, kShowPackage), "kv2024_0301_.lzh");
    const ULONGLONG pressed = ::GetTickCount64();
    ExpectMessage(main, "Kolva Viewを終了できませんでした");
    EXPECT_GE(::GetTickCount64() - pressed, 9500u);
    EXPECT_TRUE(stubborn.IsRunning());
    EXPECT_EQ(Count("event=close\n"), 1);
    EXPECT_EQ(Count("entry=Unlha\n"), 0);
    stubborn.Kill();

    Click(main, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Count("result=7\n") == 1; }, kWindowTimeoutMs));
    ExpectNoMessageBox();
    ExpectInstallChangedNothing("kv2024_0301_.lzh", true);
    EXPECT_EQ(Count("entry=Unlha\ncommandLine=e -m1 -c1 " + SaveFolder() + "\\kv2024_0301_.lzh \"" +
                    InstallFolder() + "\\\"\n"),
              1);
    HWND settings = OpenSettings(); // the delete option turned off
    ASSERT_NE(settings, nullptr);
    Ask(::GetDlgItem(settings, kDeleteBox), BM_CLICK);
    ASSERT_TRUE(Close(settings, IDOK));
    const std::string before = Settings();
    for (const WPARAM ending : {FALSE, TRUE}) {
        EXPECT_EQ(Ask(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 1u);
        Ask(main, WM_ENDSESSION, ending, ENDSESSION_LOGOFF);
        EXPECT_EQ(Settings() == before, !ending);
        EXPECT_TRUE(ending || ::IsWindowVisible(main));
    }
    EXPECT_TRUE(SettingsHold("\nDeleteFile=0\r\nAddName=\r\nQuitKv=1\r\nExecuteKv=1"));
    // Ended while it waits for the viewer, it leaves the settings accepted before.
    ASSERT_NE(settings = OpenSettings(), nullptr);
    ASSERT_TRUE((Ask(::GetDlgItem(settings, kDeleteBox), BM_CLICK), Close(settings, IDOK)));
    AppProcess again;
    StartViewer(again, "\"again - kv\" --ignore-close");
    Click(main, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Count("event=close\n") == 2; }, kWindowTimeoutMs));
    kvinst.Kill();
    EXPECT_TRUE(SettingsHold("\nDeleteFile=1")) << "the settings accepted were lost";
}

// kv.exe newer than the package: each Install asks. A library found only in
// the current folder is not loaded; one without its entry point is loaded,
// freed and never called; Cancel loads nothing. The empty QuitKv reads 0. With
// the About entry's caption (string 101) emptied, the system menu has neither
// the entry nor the separator above it. An add-name of 259 bytes is taken.
TEST_F(Run, ArchiverFaults) {
    const WORD strings96To111[16] = {}; // the block of string 101, all empty
    HANDLE update = ::BeginUpdateResourceA(world.Path("app/KvInst.exe").c_str(), FALSE);
    ASSERT_TRUE(::UpdateResourceA(update, RT_STRING, MAKEINTRESOURCEA(101 / 16 + 1),
                                  MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
                                  const_cast<WORD*>(strings96To111), sizeof strings96To111) &&
                ::EndUpdateResourceA(update, FALSE));
    ASSERT_NE(Start(), nullptr);
    const char* older = "古いファイルで上書きしますか";
    ExpectMessage(main, older, "確認");
    ExpectMessage(nullptr, "unzip32.DLLが開けませんでした");
    EXPECT_EQ(Records(), "<missing>") << "the planted library was loaded";

    world.CopyIn(BesideProgram(kNoEntryLibrary), "app/unzip32.DLL");
    ExpectMessage(main, older, "確認", IDCANCEL);
    ExpectNoMessageBox();
    EXPECT_EQ(Records(), "<missing>") << "loaded although the answer was Cancel";
    ExpectMessage(main, older, "確認");
    ExpectMessage(nullptr, "unzip32.DLLにUnZipが見つかりませんでした");
    EXPECT_EQ(Records(), "event=loaded\naboutEntry=0 0\n\nevent=freed\n\n");
    ExpectInstallChangedNothing("kv2024_0301.zip");
    // In the 64-bit Windows, with no library beside KvInst or in its current
    // folder, one in the 64-bit System32 is not found, one in SysWOW64 is.
    for (const char* library : {"unzip32.DLL", "app/unzip32.DLL"})
        ASSERT_TRUE(::DeleteFileA(world.Path(library).c_str()));
    if (Variant("wow64"))
        for (const bool wow64Folder : {false, true}) {
            ASSERT_TRUE(::CopyFileA(BesideProgram(kNoEntryLibrary).c_str(),
                                    SystemLibrary(wow64Folder).c_str(), TRUE));
            ExpectMessage(main, older, "確認");
            ExpectMessage(nullptr, wow64Folder ? "unzip32.DLLにUnZipが見つかりませんでした"
                                               : "unzip32.DLLが開けませんでした");
            EXPECT_TRUE(RemoveSystemLibraries());
        }

    const std::string name(259, 'n'); // the most the settings dialog takes
    HWND settings = OpenSettings();
    ASSERT_TRUE(settings && SetControlText(settings, kAddNameEdit, name) && Close(settings, IDOK));
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectEnds();
    EXPECT_TRUE(SettingsHold("\nQuitKv=0") && SettingsHold("\nAddName=" + name));
}

// Junk, a huge value, overlong and 40-digit numbers, a value cut inside a double-byte character
// after many digits (whose stale byte once made QuitKv 5 read as 57): KvInst writes sane values.
// No save folder: the settings dialog shows the cut add-name, refuses a folder over 259 bytes.
TEST_F(Run, HostileSettings) {
    HWND settings = Start(kSettings);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(ControlText(settings, kAddNameEdit), std::string(259, 'A'));
    for (int id : {kInstallEdit, kSaveEdit, kAddNameEdit})
        EXPECT_EQ(Ask(::GetDlgItem(settings, id), EM_GETLIMITTEXT), 259u)
            << "typed text beyond 259";
    std::string overlong = "C:\\x"; // 260 bytes in 132 characters: refused, kept, focused
    while (overlong.size() < 260)
        overlong += "表";
    ASSERT_TRUE(SetControlText(settings, kInstallEdit, overlong));
    Ask(settings, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(settings, IDOK)), TRUE);
    ExpectMessage(settings, "259バイトより長くは設定できません");
    HWND edit = ::GetDlgItem(settings, kInstallEdit); // focused once the box has returned
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(settings) == edit; }, kWindowTimeoutMs) &&
                ControlText(settings, kInstallEdit) == overlong);
    ASSERT_TRUE(Close(settings, IDCANCEL));
    ASSERT_NE(Window(kMain), nullptr);
    EXPECT_EQ(ControlText(main, kShowPackage), "") << "no package name fits the add-name";
    ExpectMessage(main, "Installするファイルがありません");
    PressEscape(main, IDOK);
    ExpectEnds();
    for (const std::string& line :
         {"\nInstallDirectory=" + InstallFolder(), "\nSaveDirectory="s,
          "\nAddName=" + std::string(259, 'A'), "\nDeleteFile=2147483647"s, "\nQuitKv=5"s,
          "\nExecuteKv=2147483647"s, "[User]\r\nkeep=1"s, "[After]\r\nomega=two words"s})
        EXPECT_TRUE(SettingsHold(line)) << line;
}

// A library that pumps messages and lets input through, changes the current folder and the
// library search and posts WM_QUIT: the dialog stays, untouched, in front with its focus, and
// loads no library from its current folder. Its next call waits: the new settings are in the
// file, the session's end is refused, its real end writes them; it succeeds after changing the
// folder: only the right package is deleted, kv.exe started. Windows 10, Common Controls 6.
TEST_F(Run, PumpingArchiver) {
    world.CopyIn(BesideProgram(kNoEntryLibrary), "app/comctl32.dll"); // n,b: searched for as
    ::SetEnvironmentVariableA("WINEDLLOVERRIDES", "mscoree,mshtml=;comctl32=n,b"); // on Windows
    world.MakeFolder(Install("s"));
    world.WriteFile(Install(Save("kv2025_0301.zip")), "decoy");
    AppProcess other;
    StartViewer(other, "other");
    ASSERT_NE(Start(), nullptr);
    Click(main, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Count("result=1\n") == 1; }, kWindowTimeoutMs));
    ExpectNoMessageBox(); // no settings dialog, About box or message box either
    ASSERT_TRUE(::IsWindowVisible(main) && ::IsWindowEnabled(main)) << "gone after WM_QUIT";
    EXPECT_EQ(::GetForegroundWindow(), main);
    EXPECT_EQ(FocusOf(main), ::GetDlgItem(main, IDOK));
    ASSERT_TRUE(
        ::MoveFileA(world.Path("app/unzip32.DLL").c_str(), world.Path("unzip32.DLL").c_str()));
    ExpectMessage(main, "unzip32.DLLが開けませんでした");
    ASSERT_TRUE(
        ::MoveFileA(world.Path("unzip32.DLL").c_str(), world.Path("app/unzip32.DLL").c_str()));

    HWND settings = OpenSettings(); // the quit option turned off
    ASSERT_TRUE(settings &&
                (Ask(::GetDlgItem(settings, kQuitBox), BM_CLICK), Close(settings, IDOK)));
    Click(main, IDOK);
    HWND unpacking = Window("unpacking", main);
    ASSERT_NE(unpacking, nullptr);
    EXPECT_TRUE(SettingsHold("\nQuitKv=0")) << "the settings accepted are not in the file";
    EXPECT_EQ(Ask(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0u) << "the session may end";
    ASSERT_TRUE(::DeleteFileA(world.Path("app/kvinst.ini").c_str()));
    Ask(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(SettingsHold("\nQuitKv=0"));
    ::PostMessageA(unpacking, WM_CLOSE, 0, 0);
    ExpectEnds();
    EXPECT_TRUE(WaitUntil([&] { return Count("event=start\n") == 2; }, kWindowTimeoutMs));
    const std::string call =
                          "event=called\nenabled=0\nversion=10.0\ndpi="s +
                          (Variant("dpi144") ? "144" : "96") +
                          "\nicons=1\nmenu=2051 16 ﾊﾞｰｼﾞｮﾝ情報(KvInst) (&A)...\nthemed=1\nresult=",
                      calls = call + "1\n\n" + call + "0\n\nevent=start\n";
    const std::size_t at = Records().find("\n\n" + calls);
    EXPECT_NE(at, std::string::npos) << Records();
    EXPECT_NE(Records().find("directory=" + InstallFolder() + "\n", at), std::string::npos);
    EXPECT_EQ(world.ReadFile(Save("kv2025_0301.zip")) + world.ReadFile(Save("kv2024_0101.zip")) +
                  world.ReadFile(Install(Save("kv2025_0301.zip"))),
              "<missing>packagedecoy");
}

} // namespace
