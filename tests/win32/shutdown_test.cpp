// Closing the running viewer with real windows: stand-in kv.exe processes
// show top-level windows with chosen titles, and CloseRunningApp works on
// them through CWin32Platform.
#include "installer.h"
#include "kv_process.h"
#include "recording_window.h"
#include "temp_folder.h"
#include "win32_platform.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <memory>
#include <string>

namespace {

const DWORD kWindowTimeoutMs = 30000;

// The real platform, counting the enumerations and sleeps it is asked for.
class CCountingPlatform : public CWin32Platform {
  public:
    int enumerations = 0;
    int sleeps = 0;

    bool EnumWindows(EnumWindowsCallback callback, void* context) override {
        ++enumerations;
        return CWin32Platform::EnumWindows(callback, context);
    }
    void Sleep(std::uint32_t milliseconds) override {
        ++sleeps;
        CWin32Platform::Sleep(milliseconds);
    }
};

class Shutdown : public ::testing::Test {
  protected:
    // Windows that must be left alone: a title that is the suffix alone, and
    // one that ends with it in other letter case. They live for the whole suite.
    static void SetUpTestSuite() {
        s_logs = new TempFolder("kvshut");
        SetEnvironmentVariableA("KVSTUB_KV_LOG", s_logs->Path("kv.log").c_str());
        for (const char* title : {" - kv", "X - KV"}) {
            s_bystanders[s_bystanderCount] = new KvProcess;
            s_bystanders[s_bystanderCount++]->Start(StubKvPath(), Quoted(title), s_logs->Root());
        }
    }
    static void TearDownTestSuite() {
        for (int i = 0; i < s_bystanderCount; ++i)
            delete s_bystanders[i];
        s_bystanderCount = 0;
        delete s_logs;
        s_logs = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(nullptr, s_bystanders[0]->WaitForWindow(" - kv", kWindowTimeoutMs));
        ASSERT_NE(nullptr, s_bystanders[1]->WaitForWindow("X - KV", kWindowTimeoutMs));
    }

    // Starts a stand-in with the title and options and waits for its window.
    std::unique_ptr<KvProcess> StartViewer(const std::string& title,
                                           const std::string& options = "") {
        auto process = std::make_unique<KvProcess>();
        EXPECT_TRUE(process->Start(StubKvPath(), Quoted(title) + " " + options, s_logs->Root()));
        return process;
    }

    static bool WasAskedToClose(const KvProcess& process) {
        const std::string record = "event=close\nprocess=" + std::to_string(process.Id()) + "\n";
        return s_logs->ReadFile("kv.log").find(record) != std::string::npos;
    }

    // Runs CloseRunningApp and returns its result; the time taken goes to the log.
    bool CloseAndMeasure() {
        CInstaller installer(platform, window);
        const DWORD start = GetTickCount();
        const bool closed = installer.CloseRunningApp();
        elapsedMs = GetTickCount() - start;
        std::printf("CloseRunningApp: %s after %lu ms, %d polls, %d sleeps\n",
                    closed ? "true" : "false", static_cast<unsigned long>(elapsedMs),
                    platform.enumerations - 1, platform.sleeps);
        RecordProperty("elapsed_ms", static_cast<int>(elapsedMs));
        return closed;
    }

    void ExpectBystandersUntouched() {
        for (int i = 0; i < s_bystanderCount; ++i) {
            EXPECT_TRUE(s_bystanders[i]->IsRunning()) << "bystander " << i;
            EXPECT_FALSE(WasAskedToClose(*s_bystanders[i])) << "bystander " << i;
        }
        EXPECT_NE(nullptr, s_bystanders[0]->WaitForWindow(" - kv", 0));
        EXPECT_NE(nullptr, s_bystanders[1]->WaitForWindow("X - KV", 0));
    }

    CCountingPlatform platform;
    CRecordingWindow window;
    DWORD elapsedMs = 0;

    static TempFolder* s_logs;
    static KvProcess* s_bystanders[2];
    static int s_bystanderCount;
};

TempFolder* Shutdown::s_logs = nullptr;
KvProcess* Shutdown::s_bystanders[2] = {};
int Shutdown::s_bystanderCount = 0;

TEST_F(Shutdown, AViewerThatAcceptsIsClosed) {
    auto viewer = StartViewer("kvinst test - kv");
    ASSERT_NE(nullptr, viewer->WaitForWindow("kvinst test - kv", kWindowTimeoutMs));

    EXPECT_TRUE(CloseAndMeasure());
    EXPECT_TRUE(WasAskedToClose(*viewer));
    EXPECT_TRUE(viewer->WaitForExit(kWindowTimeoutMs));
    ExpectBystandersUntouched();
}

TEST_F(Shutdown, TwoMatchingWindowsAreBothClosed) {
    auto first = StartViewer("first - kv");
    auto second = StartViewer("second - kv");
    ASSERT_NE(nullptr, first->WaitForWindow("first - kv", kWindowTimeoutMs));
    ASSERT_NE(nullptr, second->WaitForWindow("second - kv", kWindowTimeoutMs));

    EXPECT_TRUE(CloseAndMeasure());
    EXPECT_TRUE(WasAskedToClose(*first));
    EXPECT_TRUE(WasAskedToClose(*second));
    EXPECT_TRUE(first->WaitForExit(kWindowTimeoutMs));
    EXPECT_TRUE(second->WaitForExit(kWindowTimeoutMs));
    ExpectBystandersUntouched();
}

TEST_F(Shutdown, AViewerThatRefusesFailsAfterTwentyPolls) {
    auto viewer = StartViewer("refusing - kv", "--ignore-close");
    ASSERT_NE(nullptr, viewer->WaitForWindow("refusing - kv", kWindowTimeoutMs));

    EXPECT_FALSE(CloseAndMeasure());
    EXPECT_EQ(21, platform.enumerations); // the close pass and 20 polls
    EXPECT_EQ(20, platform.sleeps);
    EXPECT_GE(elapsedMs, 20u * 500u - 100u); // GetTickCount's granularity
    EXPECT_TRUE(WasAskedToClose(*viewer));
    EXPECT_TRUE(viewer->IsRunning());
    ExpectBystandersUntouched();
}

} // namespace
