// Running viewers met by KvInst.exe's Install with "QuitKv" on: one that
// ignores WM_CLOSE, and two at once of which one takes 3 s to close.
#include "figures.h"
#include "input.h"
#include "installer_world.h"
#include "message_box.h"
#include "wait.h"
#include "window_query.h"
#include <gtest/gtest.h>

namespace {

class ProgramShutdown : public ::testing::Test {
  protected:
    InstallerWorld world;
    AppProcess installer;
    HWND dialog = nullptr;

    // The archiver succeeds without unpacking; the package stays, kv.exe is
    // not started again.
    void Start() {
        world.WriteSettings({"DeleteFile=0", "QuitKv=1", "ExecuteKv=0"});
        ASSERT_TRUE(world.Start(installer, {{"KVSTUB_RESULT", "0"}}));
        dialog = WaitForDialog(installer, kMainCaption);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(ControlText(dialog, kIdShowPackage), kPackage);
    }

    std::size_t CloseRequests(const AppProcess& viewer) const {
        std::size_t count = 0;
        for (const StubRecord& record : world.Records("event", "close"))
            count += record.at("process") == std::to_string(viewer.Id());
        return count;
    }
};

// 20 polls 500 ms apart: the failure comes after 10 s, not before, and the
// archiver is never called. The dialog stays open and usable.
TEST_F(ProgramShutdown, ViewerThatIgnoresCloseIsReportedAfterTenSeconds) {
    figures::InputTried();
    AppProcess viewer;
    ASSERT_TRUE(world.StartViewer(viewer, "stubborn - kv", "--ignore-close"));
    Start();
    const ULONGLONG pressed = GetTickCount64();
    ClickButton(dialog, IDOK);
    MessageBoxInfo box = WaitForMessageBox(installer.Id(), dialog, 60000);
    const double waited = (GetTickCount64() - pressed) / 1000.0;
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, "Kolva Viewを終了できませんでした");
    EXPECT_GE(waited, 10.0);
    figures::Note("viewer ignoring WM_CLOSE, reported after", waited, "s");
    EXPECT_TRUE(viewer.IsRunning());
    EXPECT_EQ(CloseRequests(viewer), 1u);
    EXPECT_TRUE(world.Records("entry", "UnZip").empty());
    ASSERT_TRUE(AnswerMessageBox(box, IDOK, kWindowTimeoutMs));
    EXPECT_TRUE(Answers(dialog, 5000));

    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(installer.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(installer.ExitCode(), 0u);
    figures::SurvivedIfPassing();
}

// Both windows are asked at once; the install goes on once the slower one has
// gone, about 3 s later, well inside the 10 s bound.
TEST_F(ProgramShutdown, TwoViewersOneClosingAfterThreeSecondsAreWaitedFor) {
    figures::InputTried(2);
    AppProcess slow, quick;
    ASSERT_TRUE(world.StartViewer(slow, "slow - kv", "--close-after-ms 3000"));
    ASSERT_TRUE(world.StartViewer(quick, "quick - kv", ""));
    WindowQuery slowWindow;
    slowWindow.processId = slow.Id();
    slowWindow.caption = "slow - kv";
    HWND slowHandle = WaitForWindow(slowWindow, kWindowTimeoutMs);
    ASSERT_NE(slowHandle, nullptr);
    Start();
    const ULONGLONG pressed = GetTickCount64();
    ClickButton(dialog, IDOK);
    // The archiver is called only once the slower window has gone.
    ASSERT_TRUE(
        WaitUntil([&] { return !world.Records("entry", "UnZip").empty(); }, kExitTimeoutMs, 5));
    EXPECT_FALSE(IsWindow(slowHandle)) << "the archiver ran while a viewer was still open";
    ASSERT_TRUE(installer.WaitForExit(kExitTimeoutMs));
    const double waited = (GetTickCount64() - pressed) / 1000.0;
    EXPECT_EQ(installer.ExitCode(), 0u);
    EXPECT_GE(waited, 3.0);
    figures::Note("two viewers, one closing after 3 s, install done after", waited, "s");
    EXPECT_EQ(CloseRequests(slow), 1u);
    EXPECT_EQ(CloseRequests(quick), 1u);
    EXPECT_TRUE(slow.WaitForExit(kExitTimeoutMs));
    EXPECT_TRUE(quick.WaitForExit(kExitTimeoutMs));
    const std::vector<StubRecord> calls = world.Records("entry", "UnZip");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].at("result"), "0");
    figures::SurvivedIfPassing(2);
}

} // namespace
