// KvInst.exe as its users meet it: each test starts the real program in a
// world of its own from the table below, drives its windows and checks what
// it shows and what it leaves on disk. The stand-in archivers and kv.exe
// append what they were asked to do to records.txt.
#include "app_process.h"
#include "test_world.h"
#include "wait.h"
#include "window_driver.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <random>
#include <vector>

namespace {

using Record = std::map<std::string, std::string>;

constexpr char kMain[] = "KV Installer(Zip Ver)";
constexpr char kSettings[] = "設定";
constexpr int kSettingsButton = 1000, kShowInstall = 1001, kShowSave = 1002, kShowPackage = 1003,
              kShowDate = 1004;
constexpr int kSaveEdit = 1002, kInstallEdit = 1004, kBrowseInstall = 1005, kDeleteBox = 1006,
              kAddNameEdit = 1007, kQuitBox = 1008, kExecuteBox = 1009;

SYSTEMTIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    return {year, month, 0, day, hour, minute, second, 0};
}

// One world per program start. Entries of the save folder: a trailing '/'
// makes a folder, ":r" a read-only and ":a" an archive-flagged file, ":z" a
// real ZIP package. In the settings file, {save}, {install} and {root} stand
// for the folders, {junk} for 5,000 random bytes and {c*N} for N times c.
struct World {
    const char* test;
    const char* save;
    const char* install; // holds the stand-in kv.exe
    SYSTEMTIME viewerWritten;
    std::vector<const char*> entries;
    const char* unzipBesideProgram; // "stand-in", "none"
    bool plantedInCurrentFolder;    // an unzip32.DLL where KvInst starts
    const char* archiverResult;     // KVSTUB_RESULT; "" lets the stand-in work
    const char* settings;           // kvinst.ini; nullptr: none
};

const World kWorlds[] = {
    {"FirstRun",
     "save表",
     "inst 表x",
     Utc(2024, 2, 9, 23, 5, 3),
     {"kv2024_0301_.lzh", "kv2024_0115.lzh:a", "kv2023_1224_.zip", "kv202403011.zip",
      "kv2024_0301.zip:r", "kv2024_03010.zip", "kv2025_0101.zip/", "readme.txt"},
     "stand-in",
     false,
     "",
     nullptr},
    {"Install",
     "save表",
     "inst 表",
     Utc(2025, 2, 10, 0, 0, 0),
     {"kv2025_0301.zip:z"},
     "stand-in",
     false,
     "",
     "[Other]\r\nkeep=1\r\n[INSTDATA]\r\ninstalldirectory={root}\\old\r\nSaveDirectory={save}\r\n"
     "DeleteFile=1\r\n"},
    {"StubbornViewerAndFailingLha",
     "save",
     "inst 表",
     Utc(2024, 1, 1, 0, 0, 0),
     {"kv2024_0301_.lzh"},
     "stand-in",
     false,
     "7",
     "[INSTDATA]\r\nInstallDirectory={install}\r\nSaveDirectory={save}\r\nDeleteFile=1\r\n"},
    {"ArchiverFaults",
     "save",
     "install",
     Utc(2024, 3, 2, 12, 0, 0),
     {"kv2024_0301.zip"},
     "none",
     true,
     "",
     "[INSTDATA]\r\nInstallDirectory={install}\r\nSaveDirectory={save}\r\nDeleteFile=1\r\n"
     "QuitKv=\r\n"},
    {"HostileSettings",
     "save",
     "install",
     Utc(2024, 1, 1, 0, 0, 0),
     {"kv2024_0301.zip"},
     "stand-in",
     false,
     "",
     "{junk}\r\n[User]\r\nkeep=1\r\n{junk}\r\n[INSTDATA]\nInstallDirectory={install}\n"
     "SaveDirectory={save}\r\nAddName={A*100000}\nDeleteFile={7*499}\r\n"
     "QuitKv={0*497}5表表\nExecuteKv=1234567890123456789012345678901234567890\n"
     "InstallDirectory=C:\\duplicate\n{junk}\r\n[After]\r\nomega=two words\r\n"},
};

std::string Junk(unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(5000, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    bytes[0] = 'j'; // no byte-order mark
    return bytes;
}

std::string Expand(std::string text, const TestWorld& world, const World& row) {
    const std::map<std::string, std::string> names = {{"save", world.Path(row.save)},
                                                      {"install", world.Path(row.install)},
                                                      {"root", world.Root()}};
    unsigned seed = 0;
    for (std::size_t open = 0; (open = text.find('{', open)) != std::string::npos;) {
        const std::size_t close = text.find('}', open);
        const std::string name = text.substr(open + 1, close - open - 1);
        std::string value = name == "junk" ? Junk(++seed) : names.count(name) ? names.at(name) : "";
        if (name.size() > 2 && name[1] == '*')
            value.assign(std::stoul(name.substr(2)), name[0]);
        text.replace(open, close - open + 1, value);
        open += value.size(); // junk may hold braces
    }
    return text;
}

// Stored (uncompressed) ZIP entries, as any archiver writes them.
std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i));
    return out;
}

std::uint32_t Crc32(const std::string& data) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

std::string Zip(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string local, central;
    for (const auto& [name, data] : files) {
        const std::string common = Le(20, 2) + Le(0, 8) + Le(Crc32(data), 4) + Le(data.size(), 4) +
                                   Le(data.size(), 4) + Le(name.size(), 2) + Le(0, 2);
        central += Le(0x02014b50, 4) + Le(20, 2) + common + Le(0, 10) + Le(local.size(), 4) + name;
        local += Le(0x04034b50, 4) + common + name + data;
    }
    return local + central + Le(0x06054b50, 4) + Le(0, 4) + Le(files.size(), 2) +
           Le(files.size(), 2) + Le(central.size(), 4) + Le(local.size(), 4) + Le(0, 2);
}

// The value of key in section of an INI text, or "<missing>".
std::string IniValue(const std::string& text, const std::string& section, const std::string& key) {
    std::size_t at = text.find("[" + section + "]");
    while (at != std::string::npos && (at = text.find('\n', at)) != std::string::npos) {
        const std::size_t end = text.find_first_of("\r\n", ++at);
        const std::string line = text.substr(at, end - at);
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            return line.substr(key.size() + 1);
        if (!line.empty() && line[0] == '[')
            break;
    }
    return "<missing>";
}

class Run : public ::testing::Test {
  protected:
    // Lays out the world of this test's row and points the stand-ins at it.
    void SetUp() override {
        const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (const World& candidate : kWorlds)
            row = std::string(candidate.test) == test ? &candidate : row;
        ASSERT_NE(row, nullptr);
        for (const char* folder : {"app", row->save, row->install})
            world.MakeFolder(folder);
        world.CopyIn(BesideProgram(KVE2E_INSTALLER), "app/KvInst.exe");
        world.CopyIn(BesideProgram(KVE2E_STUBS "\\UNLHA32.DLL"), "app/UNLHA32.DLL");
        if (std::string(row->unzipBesideProgram) == "stand-in")
            world.CopyIn(BesideProgram(KVE2E_STUBS "\\unzip32.DLL"), "app/unzip32.DLL");
        if (row->plantedInCurrentFolder)
            world.CopyIn(NoEntryLibrary(), "unzip32.DLL");
        world.CopyIn(BesideProgram(KVE2E_STUBS "\\kv.exe"), Install("kv.exe"));
        world.SetLastWriteTime(Install("kv.exe"), row->viewerWritten);
        for (std::string entry : row->entries) {
            const char kind = entry.size() > 2 && entry[entry.size() - 2] == ':' ? entry.back() : 0;
            entry.resize(kind ? entry.size() - 2 : entry.size());
            if (entry.back() == '/') {
                world.MakeFolder(Save(entry));
                continue;
            }
            world.WriteFile(Save(entry), kind == 'z' ? Zip({{"readme.txt", "Kolva View 2025"},
                                                            {"docs/history.txt", "what is new"}})
                                                     : "package");
            if (kind == 'r' || kind == 'a')
                ::SetFileAttributesA(world.Path(Save(entry)).c_str(), kind == 'r'
                                                                          ? FILE_ATTRIBUTE_READONLY
                                                                          : FILE_ATTRIBUTE_ARCHIVE);
        }
        if (row->settings != nullptr)
            world.WriteFile("app/kvinst.ini", Expand(row->settings, world, *row));
        ::SetEnvironmentVariableA("KVSTUB_LOG", world.Path("records.txt").c_str());
        ::SetEnvironmentVariableA("KVSTUB_KV_LOG", world.Path("records.txt").c_str());
        ::SetEnvironmentVariableA("KVSTUB_RESULT",
                                  *row->archiverResult ? row->archiverResult : nullptr);
    }

    // Ends any kv.exe that KvInst started.
    void TearDown() override {
        kvinst.Kill();
        for (const Record& record : Records("event", "start")) {
            HANDLE viewer =
                ::OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(record.at("process")));
            if (viewer != nullptr && ::TerminateProcess(viewer, 255))
                ::WaitForSingleObject(viewer, 5000);
            if (viewer != nullptr)
                ::CloseHandle(viewer);
        }
    }

    static std::string NoEntryLibrary() { return BesideProgram("no_entry\\unzip32.DLL"); }
    std::string Save(const std::string& name) const { return std::string(row->save) + "/" + name; }
    std::string Install(const std::string& name) const {
        return std::string(row->install) + "/" + name;
    }
    std::string SaveFolder() const { return world.Path(row->save); }
    std::string InstallFolder() const { return world.Path(row->install); }
    std::string Settings() const { return world.ReadFile("app/kvinst.ini"); }

    // Starts KvInst; with a settings file its main dialog comes up.
    void Start() {
        ASSERT_TRUE(kvinst.Start(world.Path("app/KvInst.exe"), "", world.Root()));
        if (row->settings != nullptr) {
            ASSERT_NE(main = Dialog(kMain), nullptr) << "no main dialog";
        }
    }

    HWND Dialog(const char* caption, HWND owner = nullptr) const {
        WindowQuery query{kvinst.Id(), caption};
        query.owner = owner;
        return WaitForTopWindow(query, kWindowTimeoutMs);
    }

    void StartViewer(AppProcess& viewer, const std::string& arguments) const {
        ASSERT_TRUE(viewer.Start(world.Path(Install("kv.exe")), arguments, InstallFolder()));
        WindowQuery query{viewer.Id(), nullptr, "KvStubWindow"};
        ASSERT_NE(WaitForTopWindow(query, kWindowTimeoutMs), nullptr);
    }

    // Presses Install and expects a message box with this text; answers it.
    void ExpectMessageOnInstall(const char* text, const char* caption = "KvInst",
                                int answer = IDOK) {
        Click(main, IDOK);
        MessageBoxSeen box = WaitForMessageBox(kvinst.Id(), main, kWindowTimeoutMs);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        ASSERT_TRUE(box.window != nullptr && Answer(box, answer));
    }

    void ExpectNoMessageBox() const {
        WindowQuery query{kvinst.Id()};
        query.owner = main;
        EXPECT_TRUE(StaysAbsent(query, kQuietPeriodMs)) << "a message box came up";
    }

    // The dialog is open and answers; the package is there, no kv.exe was started.
    void ExpectInstallChangedNothing(const std::string& package, DWORD ownViewer = 0) const {
        EXPECT_TRUE(::IsWindowVisible(main) && Answers(main));
        EXPECT_TRUE(world.Exists(Save(package)));
        for (const Record& start : Records("event", "start"))
            EXPECT_EQ(start.at("process"), std::to_string(ownViewer)) << "kv.exe was started";
    }

    void ExpectEnds() {
        ASSERT_TRUE(kvinst.WaitForExit(kExitTimeoutMs)) << "the program did not end";
        EXPECT_EQ(kvinst.ExitCode(), 0u);
    }

    // The stand-ins' records in order, or those where key has value.
    std::vector<Record> Records(const std::string& key = "", const std::string& value = "") const {
        std::vector<Record> records(1);
        const std::string text = world.ReadFile("records.txt");
        for (std::size_t at = 0, end; at < text.size() && text != "<missing>"; at = end + 1) {
            end = text.find('\n', at);
            const std::string line = text.substr(at, end - at);
            const std::size_t equals = line.find('=');
            if (line.empty() && !records.back().empty())
                records.emplace_back();
            else if (equals != std::string::npos)
                records.back()[line.substr(0, equals)] = line.substr(equals + 1);
        }
        records.pop_back();
        std::vector<Record> matching;
        for (const Record& record : records)
            if (key.empty() || (record.count(key) && record.at(key) == value))
                matching.push_back(record);
        return matching;
    }

    const World* row = nullptr;
    TestWorld world;
    AppProcess kvinst;
    HWND main = nullptr;
};

// No kvinst.ini: the settings dialog opens first, over the hidden main
// dialog; a browsed folder comes back without its trailing backslash; the
// scan of the save folder shows the newest package as listed and kv.exe's
// time in local time; the About box; Esc ends; the file gets the section and
// the six keys in order.
TEST_F(Run, FirstRun) {
    Start();
    HWND settings = Dialog(kSettings);
    ASSERT_NE(settings, nullptr) << "no settings dialog";
    WindowQuery hiddenMain{kvinst.Id(), kMain};
    hiddenMain.visible = false;
    main = FindTopWindow(hiddenMain);
    EXPECT_TRUE(main != nullptr && !::IsWindowVisible(main) &&
                ::GetWindow(settings, GW_OWNER) == main);
    for (int edit : {kSaveEdit, kInstallEdit, kAddNameEdit})
        EXPECT_EQ(ControlText(settings, edit), "");
    EXPECT_FALSE(IsChecked(settings, kDeleteBox));
    EXPECT_TRUE(IsChecked(settings, kQuitBox) && IsChecked(settings, kExecuteBox));

    ASSERT_TRUE(SetControlText(settings, kInstallEdit, InstallFolder() + "\\"));
    Click(settings, kBrowseInstall);
    WindowQuery pickerQuery{kvinst.Id()};
    pickerQuery.owner = settings;
    HWND picker = WaitForTopWindow(pickerQuery, kWindowTimeoutMs);
    ASSERT_NE(picker, nullptr) << "no folder picker";
    Click(picker, IDOK);
    ASSERT_TRUE(WaitForGone(picker, kWindowTimeoutMs));
    EXPECT_EQ(ControlText(settings, kInstallEdit), InstallFolder());
    ASSERT_TRUE(SetControlText(settings, kSaveEdit, SaveFolder()));
    Click(settings, IDOK);
    ASSERT_TRUE(WaitForGone(settings, kWindowTimeoutMs));

    ASSERT_NE(main = Dialog(kMain), nullptr);
    EXPECT_EQ(ControlText(main, kShowInstall), InstallFolder());
    EXPECT_EQ(ControlText(main, kShowSave), SaveFolder());
    EXPECT_EQ(ControlText(main, kShowPackage), "kv2024_0301.zip");
    EXPECT_EQ(ControlText(main, kShowDate), "2024-02-10 08:05:03");

    PostSysCommand(main, 0x0010);
    HWND about = Dialog("ﾊﾞｰｼﾞｮﾝ情報 KvInst", main);
    ASSERT_NE(about, nullptr) << "no About box";
    Click(about, IDOK);
    ASSERT_TRUE(WaitForGone(about, kWindowTimeoutMs));

    PressEscape(main, IDOK);
    ExpectEnds();
    EXPECT_EQ(Settings(), "[INSTDATA]\r\nInstallDirectory=" + InstallFolder() +
                              "\r\nSaveDirectory=" + SaveFolder() +
                              "\r\nAddName=\r\nDeleteFile=0\r\nQuitKv=1\r\nExecuteKv=1\r\n");
    EXPECT_TRUE(Records().empty());
}

// The settings dialog's Cancel discards, OK rescans at once. Install closes
// both viewers before the archiver is called with the quoted destination,
// unpacks, deletes the package, starts kv.exe from the install folder and
// ends; the other section survives and the lower-case key is updated in place.
TEST_F(Run, Install) {
    AppProcess first, second;
    StartViewer(first, "\"first - kv\"");
    StartViewer(second, "\"second - kv\" --close-after-ms 1000");
    Start();
    EXPECT_EQ(ControlText(main, kShowInstall), world.Path("old"));
    EXPECT_EQ(ControlText(main, kShowDate), "");
    for (int button : {IDCANCEL, IDOK}) {
        Click(main, kSettingsButton);
        HWND settings = Dialog(kSettings, main);
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(ControlText(settings, kInstallEdit), world.Path("old"));
        ASSERT_TRUE(SetControlText(settings, kInstallEdit, InstallFolder()));
        Click(settings, button);
        ASSERT_TRUE(WaitForGone(settings, kWindowTimeoutMs));
    }
    EXPECT_EQ(ControlText(main, kShowInstall), InstallFolder());
    EXPECT_EQ(ControlText(main, kShowDate), "2025-02-10 09:00:00");

    Click(main, IDOK);
    ExpectEnds();
    EXPECT_TRUE(first.WaitForExit(kExitTimeoutMs) && second.WaitForExit(kExitTimeoutMs));
    WaitUntil([&] { return Records("event", "start").size() == 3; }, kWindowTimeoutMs);
    // The viewers' starts; their close requests and ends in any order (the
    // second ends a second late); the archiver's call; the new kv.exe's start.
    std::vector<Record> records = Records();
    ASSERT_EQ(records.size(), 8u) << world.ReadFile("records.txt");
    std::vector<std::string> order;
    for (Record& record : records) {
        const std::string process = record["process"];
        order.push_back(record["entry"] + record["event"] +
                        (process == std::to_string(first.Id())    ? " first"
                         : process == std::to_string(second.Id()) ? " second"
                                                                  : ""));
    }
    std::sort(order.begin() + 2, order.begin() + 6);
    EXPECT_EQ(order, (std::vector<std::string>{"start first", "start second", "close first",
                                               "close second", "exit first", "exit second", "UnZip",
                                               "start"}));
    EXPECT_EQ(records[6]["commandLine"],
              "-x -o " + SaveFolder() + "\\kv2025_0301.zip \"" + InstallFolder() + "\\\"");
    EXPECT_EQ(records[6]["result"], "0");
    EXPECT_EQ(::lstrcmpiA(records[7]["directory"].c_str(), InstallFolder().c_str()), 0)
        << records[7]["directory"];
    EXPECT_EQ(world.ReadFile(Install("readme.txt")), "Kolva View 2025");
    EXPECT_EQ(world.ReadFile(Install("docs/history.txt")), "what is new");
    EXPECT_FALSE(world.Exists(Save("kv2025_0301.zip")));
    EXPECT_EQ(Settings(), "[Other]\r\nkeep=1\r\n[INSTDATA]\r\ninstalldirectory=" + InstallFolder() +
                              "\r\nSaveDirectory=" + SaveFolder() +
                              "\r\nDeleteFile=1\r\nAddName=\r\nQuitKv=1\r\nExecuteKv=1\r\n");
}

// A viewer that ignores WM_CLOSE: reported after the 20 polls, no archiver
// call. Then the LHA row's call fails: no message, nothing deleted or started.
TEST_F(Run, StubbornViewerAndFailingLha) {
    AppProcess stubborn;
    StartViewer(stubborn, "\"stubborn - kv\" --ignore-close");
    Start();
    EXPECT_EQ(ControlText(main, kShowPackage), "kv2024_0301_.lzh");
    const ULONGLONG pressed = ::GetTickCount64();
    ExpectMessageOnInstall("Kolva Viewを終了できませんでした");
    EXPECT_GE(::GetTickCount64() - pressed, 9500u);
    EXPECT_TRUE(stubborn.IsRunning());
    EXPECT_EQ(Records("event", "close").size(), 1u);
    EXPECT_TRUE(Records("entry", "Unlha").empty());
    stubborn.Kill();

    Click(main, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !Records("result", "7").empty(); }, kWindowTimeoutMs));
    ExpectNoMessageBox();
    ExpectInstallChangedNothing("kv2024_0301_.lzh", stubborn.Id());
    EXPECT_EQ(Records("entry", "Unlha").at(0)["commandLine"],
              "e -m1 -c1 " + SaveFolder() + "\\kv2024_0301_.lzh \"" + InstallFolder() + "\\\"");
    Click(main, IDCANCEL);
    ExpectEnds();
    EXPECT_EQ(IniValue(Settings(), "INSTDATA", "ExecuteKv"), "1");
}

// kv.exe newer than the package: each Install asks. A library found only in
// the current folder is not loaded; one without its entry point is loaded,
// freed and never called; Cancel loads nothing. The empty QuitKv reads 0.
TEST_F(Run, ArchiverFaults) {
    Start();
    const char* older = "古いファイルで上書きしますか";
    ExpectMessageOnInstall(older, "確認");
    MessageBoxSeen box = WaitForMessageBox(kvinst.Id(), main, kWindowTimeoutMs);
    EXPECT_EQ(box.text, "unzip32.DLLが開けませんでした");
    ASSERT_TRUE(box.window != nullptr && Answer(box, IDOK));
    EXPECT_TRUE(Records().empty()) << "the planted library was loaded";

    world.CopyIn(NoEntryLibrary(), "app/unzip32.DLL");
    ExpectMessageOnInstall(older, "確認", IDCANCEL);
    ExpectNoMessageBox();
    EXPECT_TRUE(Records().empty()) << "loaded although the answer was Cancel";
    ExpectMessageOnInstall(older, "確認");
    box = WaitForMessageBox(kvinst.Id(), main, kWindowTimeoutMs);
    EXPECT_EQ(box.text, "unzip32.DLLにUnZipが見つかりませんでした");
    ASSERT_TRUE(box.window != nullptr && Answer(box, IDOK));
    std::vector<Record> records = Records();
    ASSERT_EQ(records.size(), 2u) << world.ReadFile("records.txt");
    EXPECT_EQ(records[0]["event"] + " " + records[1]["event"], "loaded freed");
    ExpectInstallChangedNothing("kv2024_0301.zip");

    PostSysCommand(main, SC_CLOSE);
    ExpectEnds();
    EXPECT_EQ(IniValue(Settings(), "INSTDATA", "QuitKv"), "0");
}

// Junk, a huge value, overlong and 40-digit numbers, and a value cut inside
// a double-byte character after a long run of digits (whose stale byte once
// made QuitKv 5 read as 57): the program stays usable and writes sane values.
TEST_F(Run, HostileSettings) {
    Start();
    EXPECT_EQ(ControlText(main, kShowInstall), InstallFolder());
    EXPECT_EQ(ControlText(main, kShowSave), SaveFolder());
    EXPECT_EQ(ControlText(main, kShowPackage), "") << "no package name fits the add-name";
    ExpectMessageOnInstall("Installするファイルがありません");
    PressEscape(main, IDOK);
    ExpectEnds();
    const std::string saved = Settings();
    EXPECT_EQ(IniValue(saved, "INSTDATA", "InstallDirectory"), InstallFolder());
    EXPECT_EQ(IniValue(saved, "INSTDATA", "AddName"), std::string(259, 'A'));
    EXPECT_EQ(IniValue(saved, "INSTDATA", "DeleteFile"), "2147483647");
    EXPECT_EQ(IniValue(saved, "INSTDATA", "QuitKv"), "5");
    EXPECT_EQ(IniValue(saved, "INSTDATA", "ExecuteKv"), "2147483647");
    EXPECT_EQ(IniValue(saved, "User", "keep"), "1");
    EXPECT_EQ(IniValue(saved, "After", "omega"), "two words");
}

// The unpacking stand-in the demo relies on: a round trip, and a name that
// climbs out of the destination refused before anything is written.
TEST(UnzipStandIn, UnzipStandIn) {
    TestWorld world;
    world.WriteFile("good.zip", Zip({{"docs/a.txt", "hello"}}));
    world.WriteFile("bad.zip", Zip({{"a.txt", "a"}, {"../escape.txt", "out"}}));
    HMODULE library = ::LoadLibraryA(BesideProgram(KVE2E_STUBS "\\unzip32.DLL").c_str());
    ASSERT_NE(library, nullptr);
    auto unzip = reinterpret_cast<int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD)>(
        reinterpret_cast<void*>(::GetProcAddress(library, "UnZip")));
    ASSERT_NE(unzip, nullptr);
    ::SetEnvironmentVariableA("KVSTUB_RESULT", nullptr);
    char output[500];
    for (const char* name : {"good", "bad"}) {
        const std::string line = "-x -o " + world.Path(std::string(name) + ".zip") + " " +
                                 world.Path(std::string(name) + "\\");
        EXPECT_EQ(unzip(nullptr, line.c_str(), output, sizeof output), *name == 'g' ? 0 : 5);
    }
    ::FreeLibrary(library);
    EXPECT_EQ(world.ReadFile("good/docs/a.txt"), "hello");
    EXPECT_FALSE(world.Exists("bad/a.txt") || world.Exists("escape.txt"));
}

} // namespace
