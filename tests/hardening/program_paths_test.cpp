// KvInst.exe kept in a folder and under a name whose double-byte characters
// end in 0x5C, installing from a save folder with a blank and a package whose
// name holds blanks and switch-like words, through the stand-in unzip32.DLL
// that really unpacks. The files must land in the install folder and nowhere
// else, the package must be the one deleted, and the settings file must stay
// beside the program.
#include "figures.h"
#include "ini_text.h"
#include "input.h"
#include "installer_world.h"
#include "message_box.h"
#include "wait.h"
#include "window_query.h"
#include "zip_builder.h"
#include <gtest/gtest.h>
#include <set>

namespace {

// Every file and folder below root (folders with a trailing backslash).
std::set<std::string> Tree(const std::string& root, const std::string& relative = "") {
    std::set<std::string> entries;
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((root + "\\" + relative + "*").c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries.insert(relative + name + "\\");
            for (const std::string& inner : Tree(root, relative + name + "\\"))
                entries.insert(inner);
        } else {
            entries.insert(relative + name);
        }
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
    return entries;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

TEST(ProgramPaths, DoubleByteFoldersAndASwitchLikePackageNameUnpackOnlyIntoTheInstallFolder) {
    figures::InputTried(3);
    TestWorld world;
    const std::string root = world.Root();
    const std::string app = root + "\\表ソ";
    const std::string save = root + "\\ソ 保存";
    const std::string install = root + "\\表\\先";
    const std::string package = "kv2090_0301. -x -o ソ.zip";
    for (const std::string& folder : {app, save, root + "\\表", install})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    ASSERT_TRUE(CopyFileA(BesideProgram("KvInst.exe").c_str(), (app + "\\表.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(BesideProgram("unzip32.DLL").c_str(), (app + "\\unzip32.DLL").c_str(), FALSE));
    WriteBytes(install + "\\readme.txt", "old");
    ZipBuilder zip;
    zip.AddFile("readme.txt", "new 2090");
    zip.AddFile("doc/notes.txt", "notes");
    const std::vector<unsigned char> archive = zip.Build();
    WriteBytes(save + "\\" + package, std::string(archive.begin(), archive.end()));
    const std::string settings = "[INSTDATA]\r\nInstallDirectory=" + install +
                                 "\r\nSaveDirectory=" + save +
                                 "\r\nAddName=\r\nDeleteFile=1\r\nQuitKv=0\r\nExecuteKv=0\r\n";
    WriteBytes(app + "\\kvinst.ini", settings);
    const std::set<std::string> before = Tree(root);
    const EnvironmentOverrides variables = {{"KVSTUB_LOG", root + "\\records.txt"},
                                            {"KVSTUB_RESULT", ""},
                                            {"KVSTUB_DELAY_MS", ""},
                                            {"KVSTUB_FILL_OUTPUT", ""}};

    AppProcess installer;
    ASSERT_TRUE(installer.Start(app + "\\表.exe", "", root, variables));
    HWND dialog = WaitForDialog(installer, kMainCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kIdShowInstallDir), install);
    EXPECT_EQ(ControlText(dialog, kIdShowSaveDir), save);
    EXPECT_EQ(ControlText(dialog, kIdShowPackage), package);
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(installer.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(installer.ExitCode(), 0u);

    // One token for the blanked package path, whatever words it holds.
    const std::string records = ReadBytes(root + "\\records.txt");
    EXPECT_NE(
        records.find("commandLine=-x -o \"" + save + "\\" + package + "\" " + install + "\\\n"),
        std::string::npos)
        << records;
    EXPECT_NE(records.find("result=0\n"), std::string::npos) << records;
    EXPECT_EQ(ReadBytes(install + "\\readme.txt"), "new 2090");
    EXPECT_EQ(ReadBytes(install + "\\doc\\notes.txt"), "notes");
    std::set<std::string> expected = before;
    expected.erase("ソ 保存\\" + package);
    expected.insert({"表\\先\\doc\\", "表\\先\\doc\\notes.txt", "records.txt"});
    EXPECT_EQ(Tree(root), expected);
    EXPECT_EQ(ParseIni(ReadBytes(app + "\\kvinst.ini")).Value("INSTDATA", "SaveDirectory"), save);

    // The package is gone: the next run says so, under the program's own name.
    AppProcess next;
    ASSERT_TRUE(next.Start(app + "\\表.exe", "", root, variables));
    dialog = WaitForDialog(next, kMainCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kIdShowPackage), "");
    ClickButton(dialog, IDOK);
    MessageBoxInfo box = WaitForMessageBox(next.Id(), dialog, kWindowTimeoutMs);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Installするファイルがありません");
    EXPECT_EQ(box.caption, "表");
    ASSERT_TRUE(AnswerMessageBox(box, IDOK, kWindowTimeoutMs));
    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(next.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(next.ExitCode(), 0u);
    EXPECT_EQ(ParseIni(ReadBytes(app + "\\kvinst.ini")).Value("INSTDATA", "InstallDirectory"),
              install);
    figures::SurvivedIfPassing(3);
}

} // namespace
