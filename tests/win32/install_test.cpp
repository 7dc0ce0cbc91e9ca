// The install sequence with the real API: the stand-in archivers are loaded by
// bare name from this program's folder, and on success the package is deleted
// and the stand-in kv.exe is started from the install folder.
#include "dll_search.h"
#include "installer.h"
#include "kv_process.h"
#include "recording_window.h"
#include "temp_folder.h"
#include "win32_platform.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>

namespace {

const char kOwnerTitle[] = "KvInst owner";

// The value of key in the first log record that begins with recordStart.
std::string RecordValue(const std::string& log, const std::string& recordStart,
                        const std::string& key) {
    const std::size_t record = log.find(recordStart);
    if (record == std::string::npos)
        return "<no record>";
    const std::size_t end = log.find("\n\n", record);
    const std::size_t line = log.find("\n" + key + "=", record);
    if (line == std::string::npos || line > end)
        return "<no " + key + ">";
    const std::size_t value = line + key.size() + 2;
    return log.substr(value, log.find('\n', value) - value);
}

class InstallOnDisk : public ::testing::Test {
  protected:
    // As the installer does at start.
    static void SetUpTestSuite() { RestrictDllSearch(); }

    void SetUp() override {
        for (const char* name : {"KVSTUB_RESULT", "KVSTUB_DELAY_MS", "KVSTUB_FILL_OUTPUT"})
            SetEnvironmentVariableA(name, nullptr);
        SetEnvironmentVariableA("KVSTUB_LOG", folder.Path("archiver.log").c_str());
        SetEnvironmentVariableA("KVSTUB_KV_LOG", folder.Path("kv.log").c_str());
        ASSERT_NE(nullptr, owner.Handle());
        window.owner = owner.Handle();
        ASSERT_EQ(std::string::npos, folder.Root().find(' ')) << "blanks would be quoted";
    }

    // The save folder with the package, the install folder with a kv.exe last
    // written before the package's day (so no question is asked), then a scan.
    void PrepareAndScan(const std::string& save, const std::string& install,
                        const std::string& package) {
        folder.MakeFolder(save);
        folder.MakeFolder(install);
        folder.WriteFile(save + "\\" + package, "package");
        CopyFileOrFail(StubKvPath(), folder.Path(install + "\\kv.exe"));
        SYSTEMTIME written = {2025, 2, 0, 10, 8, 5, 3, 0};
        FILETIME time;
        SystemTimeToFileTime(&written, &time);
        HANDLE file = CreateFileA(folder.Path(install + "\\kv.exe").c_str(), FILE_WRITE_ATTRIBUTES,
                                  0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);

        std::strcpy(installer.m_saveDir, folder.Path(save).c_str());
        std::strcpy(installer.m_installDir, folder.Path(install).c_str());
        installer.m_deleteFile = 1;
        installer.m_quitApp = 0;
        installer.m_executeApp = 1;
        installer.ScanPackages();
        ASSERT_STREQ(package.c_str(), installer.m_packageFind.cFileName);
        ASSERT_STREQ("kv.exe", installer.m_installedFind.cFileName);
    }

    std::string ArchiverRecord(const std::string& entry, const std::string& commandLine,
                               int result) {
        return "entry=" + entry + "\ncommandLine=" + commandLine +
               "\noutputSize=500\nownerIsWindow=1\nownerTitle=" + kOwnerTitle +
               "\nresult=" + std::to_string(result) + "\n\n";
    }

    // The kv.exe that the install started (adopted for clean-up), after its
    // start record was written; nullptr when none was started.
    std::unique_ptr<KvProcess> StartedViewer(std::string& startRecord) {
        const std::vector<DWORD> children = ChildProcesses("kv.exe");
        if (children.size() != 1)
            return nullptr;
        auto viewer = std::make_unique<KvProcess>(children[0]);
        startRecord = "event=start\nprocess=" + std::to_string(children[0]) + "\n";
        for (int i = 0; i < 600 && Log("kv.log").find(startRecord) == std::string::npos; ++i)
            Sleep(50);
        return viewer;
    }

    std::string Log(const char* name) const {
        return folder.Exists(name) ? folder.ReadFile(name) : std::string();
    }

    TempFolder folder{"kvinst"};
    HiddenWindow owner{kOwnerTitle};
    CWin32Platform platform;
    CRecordingWindow window;
    CInstaller installer{platform, window};
};

TEST_F(InstallOnDisk, ZipRowUnpacksThenDeletesThePackageAndStartsTheViewer) {
    PrepareAndScan("save", "inst", "kv2025_0301.zip");
    SetEnvironmentVariableA("KVSTUB_RESULT", "0");
    installer.Install();

    EXPECT_EQ(ArchiverRecord(
                  "UnZip",
                  "-x -o " + folder.Path("save\\kv2025_0301.zip") + " " + folder.Path("inst\\"), 0),
              Log("archiver.log"));
    EXPECT_EQ(nullptr, GetModuleHandleA("unzip32.DLL")); // freed after the call
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(1, window.endCount);
    EXPECT_FALSE(folder.Exists("save\\kv2025_0301.zip"));

    std::string startRecord;
    auto viewer = StartedViewer(startRecord);
    ASSERT_NE(nullptr, viewer);
    const std::string log = Log("kv.log");
    // Windows keeps a working folder without its trailing backslash.
    EXPECT_EQ(folder.Path("inst"), RecordValue(log, startRecord, "directory"));
    EXPECT_NE(std::string::npos,
              RecordValue(log, startRecord, "commandLine").find(folder.Path("inst\\kv.exe")));
}

TEST_F(InstallOnDisk, LhaRowQuotesFoldersWithBlanksButDeletesAndStartsUnquoted) {
    folder.MakeFolder("x y");
    PrepareAndScan("x y\\save", "x y\\inst", "kv2025_0301.lzh");
    installer.Install();

    EXPECT_EQ(ArchiverRecord("Unlha",
                             "e -m1 -c1 \"" + folder.Path("x y\\save\\kv2025_0301.lzh") + "\" \"" +
                                 folder.Path("x y\\inst\\") + "\"",
                             0),
              Log("archiver.log"));
    EXPECT_EQ(nullptr, GetModuleHandleA("UNLHA32.DLL"));
    EXPECT_EQ(1, window.endCount);
    EXPECT_FALSE(folder.Exists("x y\\save\\kv2025_0301.lzh"));

    std::string startRecord;
    auto viewer = StartedViewer(startRecord);
    ASSERT_NE(nullptr, viewer);
    EXPECT_EQ(folder.Path("x y\\inst"), RecordValue(Log("kv.log"), startRecord, "directory"));
}

TEST_F(InstallOnDisk, ANonzeroResultDeletesNothingAndStartsNothing) {
    PrepareAndScan("save", "inst", "kv2025_0301.zip");
    SetEnvironmentVariableA("KVSTUB_RESULT", "3");
    installer.Install();

    EXPECT_EQ(ArchiverRecord(
                  "UnZip",
                  "-x -o " + folder.Path("save\\kv2025_0301.zip") + " " + folder.Path("inst\\"), 3),
              Log("archiver.log"));
    EXPECT_EQ(nullptr, GetModuleHandleA("unzip32.DLL"));
    EXPECT_TRUE(folder.Exists("save\\kv2025_0301.zip"));
    // ShellExecuteA would have created the process before returning.
    EXPECT_TRUE(ChildProcesses("kv.exe").empty());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(0, window.endCount);
}

} // namespace
