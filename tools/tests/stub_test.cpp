// The archiver and kv.exe stand-ins themselves, loaded and started the way
// the installer does: Windows only.
#include "sandbox.h"
#include "zip_builder.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>

namespace {

using ArchiverProc = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

// The stand-ins' folder, from this test's own folder and the relative path
// that the build passes in.
std::string StubPath(const char* fileName) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + KVSTUB_RELATIVE_DIR + "\\" + fileName;
}

class Stubs : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"KVSTUB_RESULT", "KVSTUB_DELAY_MS", "KVSTUB_FILL_OUTPUT"})
            SetEnvironmentVariableA(name, nullptr);
        SetEnvironmentVariableA("KVSTUB_LOG", sandbox.Path("archiver.log").c_str());
        SetEnvironmentVariableA("KVSTUB_KV_LOG", sandbox.Path("kv.log").c_str());
    }
    void TearDown() override {
        for (HMODULE library : libraries)
            FreeLibrary(library);
    }

    ArchiverProc Load(const char* dllName, const char* entryName) {
        HMODULE library = LoadLibraryA(StubPath(dllName).c_str());
        if (library == nullptr)
            return nullptr;
        libraries.push_back(library);
        return reinterpret_cast<ArchiverProc>(
            reinterpret_cast<void*>(GetProcAddress(library, entryName)));
    }

    std::string Log(const char* name) {
        return sandbox.Exists(name) ? sandbox.ReadFile(name) : std::string();
    }

    Sandbox sandbox;
    std::vector<HMODULE> libraries;
};

TEST_F(Stubs, ExportTheEntryPointsUnderExactNames) {
    for (const char* name : {"UNLHA32.DLL", "unzip32.DLL", "kv.exe"}) {
        WIN32_FIND_DATAA found;
        HANDLE handle = FindFirstFileA(StubPath(name).c_str(), &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, handle) << name;
        FindClose(handle);
        EXPECT_STREQ(name, found.cFileName);
    }
    EXPECT_NE(nullptr, Load("UNLHA32.DLL", "Unlha"));
    EXPECT_NE(nullptr, Load("unzip32.DLL", "UnZip"));
    EXPECT_EQ(nullptr, Load("UNLHA32.DLL", "Unlha@16"));
    EXPECT_EQ(nullptr, Load("unzip32.DLL", "UnZip@16"));
}

TEST_F(Stubs, RecordEachCallAndReturnTheScriptedResult) {
    ArchiverProc unlha = Load("UNLHA32.DLL", "Unlha");
    ASSERT_NE(nullptr, unlha);
    HWND owner = CreateWindowExA(0, "STATIC", "KvInst", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    char output[500] = {};
    SetEnvironmentVariableA("KVSTUB_RESULT", "-7");
    EXPECT_EQ(-7, unlha(owner, "e -m1 -c1 \"D:\\a b\\kv.lzh\" E:\\kv\\", output, 500));
    SetEnvironmentVariableA("KVSTUB_RESULT", nullptr);
    EXPECT_EQ(0, unlha(nullptr, "e -m1 -c1 x y", output, 12));
    DestroyWindow(owner);

    EXPECT_EQ("entry=Unlha\n"
              "commandLine=e -m1 -c1 \"D:\\a b\\kv.lzh\" E:\\kv\\\n"
              "outputSize=500\n"
              "ownerIsWindow=1\n"
              "ownerTitle=KvInst\n"
              "result=-7\n"
              "\n"
              "entry=Unlha\n"
              "commandLine=e -m1 -c1 x y\n"
              "outputSize=12\n"
              "ownerIsWindow=0\n"
              "ownerTitle=\n"
              "result=0\n"
              "\n",
              Log("archiver.log"));
}

TEST_F(Stubs, FillExactlyTheOutputBufferWhenAsked) {
    ArchiverProc unzip = Load("unzip32.DLL", "UnZip");
    ASSERT_NE(nullptr, unzip);
    SetEnvironmentVariableA("KVSTUB_RESULT", "0");
    char output[32];
    std::memset(output, 'g', sizeof output);
    unzip(nullptr, "-x -o a b", output, 16);
    EXPECT_EQ(std::string(32, 'g'), std::string(output, 32)); // untouched unless asked

    SetEnvironmentVariableA("KVSTUB_FILL_OUTPUT", "1");
    unzip(nullptr, "-x -o a b", output, 16);
    EXPECT_EQ(std::string(15, '#') + '\0' + std::string(16, 'g'), std::string(output, 32));
}

TEST_F(Stubs, SleepWhenAskedBeforeReturning) {
    ArchiverProc unlha = Load("UNLHA32.DLL", "Unlha");
    ASSERT_NE(nullptr, unlha);
    SetEnvironmentVariableA("KVSTUB_DELAY_MS", "400");
    char output[500];
    DWORD start = GetTickCount();
    unlha(nullptr, "e -m1 -c1 x y", output, 500);
    EXPECT_GE(GetTickCount() - start, 350u);
}

TEST_F(Stubs, UnzipUnpacksUnlessAResultIsScripted) {
    ArchiverProc unzip = Load("unzip32.DLL", "UnZip");
    ASSERT_NE(nullptr, unzip);
    sandbox.MakeFolder("save dir");
    sandbox.MakeFolder("Program Files/kv");
    ZipBuilder builder;
    builder.AddFile("kv.exe", "new program");
    sandbox.WriteFile("save dir/kv2025_0301.zip", builder.Build());
    std::string line = "-x -o \"" + sandbox.Path("save dir/kv2025_0301.zip") + "\" \"" +
                       sandbox.Path("Program Files/kv") + "\\\"";
    char output[500];

    SetEnvironmentVariableA("KVSTUB_RESULT", "0");
    EXPECT_EQ(0, unzip(nullptr, line.c_str(), output, 500));
    EXPECT_FALSE(sandbox.Exists("Program Files/kv/kv.exe"));

    SetEnvironmentVariableA("KVSTUB_RESULT", nullptr);
    EXPECT_EQ(0, unzip(nullptr, line.c_str(), output, 500));
    EXPECT_EQ("new program", sandbox.ReadFile("Program Files/kv/kv.exe"));
    EXPECT_NE(0, unzip(nullptr, "-x -o missing.zip x\\", output, 500));
}

// Starts kv.exe in the sandbox with the arguments; the handle is the process's.
HANDLE StartKv(const Sandbox& sandbox, const std::string& arguments, std::string& commandLine) {
    commandLine = "\"" + StubPath("kv.exe") + "\"" + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        sandbox.Root().c_str(), &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

HWND WaitForWindow(const char* title) {
    for (int i = 0; i < 200; ++i) {
        if (HWND window = FindWindowA(nullptr, title))
            return window;
        Sleep(50);
    }
    return nullptr;
}

bool HasEnded(HANDLE process, DWORD milliseconds) {
    return WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
}

TEST_F(Stubs, KvRecordsWhereAndHowItWasStarted) {
    std::string commandLine;
    HANDLE process = StartKv(sandbox, " --no-window \"x y\"", commandLine);
    ASSERT_NE(nullptr, process);
    ASSERT_TRUE(HasEnded(process, 10000));
    DWORD id = GetProcessId(process);
    CloseHandle(process);
    std::string pid = std::to_string(id);
    EXPECT_EQ("event=start\nprocess=" + pid + "\ndirectory=" + sandbox.Root() +
                  "\ncommandLine=" + commandLine + "\n\nevent=exit\nprocess=" + pid + "\n\n",
              Log("kv.log"));
}

TEST_F(Stubs, KvShowsItsTitleAndClosesOnRequest) {
    std::string commandLine;
    HANDLE process = StartKv(sandbox, "", commandLine);
    ASSERT_NE(nullptr, process);
    HWND window = WaitForWindow("1.0 - kv");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(HasEnded(process, 10000));
    CloseHandle(process);
    std::string log = Log("kv.log");
    EXPECT_LT(log.find("event=start"), log.find("event=close"));
    EXPECT_LT(log.find("event=close"), log.find("event=exit"));
}

TEST_F(Stubs, KvCanIgnoreOrDelayTheClose) {
    std::string commandLine;
    HANDLE stubborn = StartKv(sandbox, " \"stubborn - kv\" --ignore-close", commandLine);
    HANDLE slow = StartKv(sandbox, " \"slow - kv\" --close-after-ms 1500", commandLine);
    ASSERT_NE(nullptr, stubborn);
    ASSERT_NE(nullptr, slow);
    HWND stubbornWindow = WaitForWindow("stubborn - kv");
    HWND slowWindow = WaitForWindow("slow - kv");
    ASSERT_NE(nullptr, stubbornWindow);
    ASSERT_NE(nullptr, slowWindow);
    PostMessageA(stubbornWindow, WM_CLOSE, 0, 0);
    PostMessageA(slowWindow, WM_CLOSE, 0, 0);

    EXPECT_FALSE(HasEnded(slow, 500));
    EXPECT_TRUE(IsWindow(slowWindow));
    EXPECT_TRUE(HasEnded(slow, 10000));
    EXPECT_FALSE(HasEnded(stubborn, 0));
    EXPECT_TRUE(IsWindow(stubbornWindow));

    TerminateProcess(stubborn, 1);
    HasEnded(stubborn, 10000);
    CloseHandle(stubborn);
    CloseHandle(slow);
}

} // namespace
