// Archiver faults met by KvInst.exe: no library, a library without its entry
// point, a failing, a slow, and a buffer-filling one. After each the main
// dialog is open and answers, and the program ends normally.
#include "figures.h"
#include "input.h"
#include "installer_world.h"
#include "message_box.h"
#include "wait.h"
#include "window_query.h"
#include <gtest/gtest.h>

namespace {

constexpr char kAppName[] = "KvInst";

class ProgramArchiver : public ::testing::Test {
  protected:
    AppProcess installer;
    HWND dialog = nullptr;

    // Starts KvInst with the package to delete and kv.exe to start on
    // success, so that a failure that went on would show.
    void Start(const InstallerWorld& world, const EnvironmentOverrides& extra = {}) {
        world.WriteSettings({"DeleteFile=1", "QuitKv=0", "ExecuteKv=1"});
        ASSERT_TRUE(world.Start(installer, extra));
        dialog = WaitForDialog(installer, kMainCaption);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(ControlText(dialog, kIdShowPackage), kPackage);
    }

    // Presses Install and expects exactly this message; answers it.
    void ExpectMessageOnInstall(const std::string& text) {
        ClickButton(dialog, IDOK);
        MessageBoxInfo box = WaitForMessageBox(installer.Id(), dialog, kWindowTimeoutMs);
        ASSERT_NE(box.window, nullptr) << "no message for " << text;
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, kAppName);
        ASSERT_TRUE(AnswerMessageBox(box, IDOK, kWindowTimeoutMs));
    }

    // The dialog is still there, answers, and the failed install changed nothing.
    void ExpectOpenAndUntouched(const InstallerWorld& world) {
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(Answers(dialog, 5000));
        EXPECT_EQ(ControlText(dialog, kIdShowPackage), kPackage);
        EXPECT_TRUE(world.world.Exists(std::string("save/") + kPackage));
        EXPECT_TRUE(world.Records("event", "start").empty()) << "kv.exe was started";
    }

    void CancelAndExpectNormalEnd() {
        ClickButton(dialog, IDCANCEL);
        ASSERT_TRUE(installer.WaitForExit(kExitTimeoutMs));
        EXPECT_EQ(installer.ExitCode(), 0u);
    }
};

TEST_F(ProgramArchiver, MissingLibraryIsReportedEachTime) {
    figures::InputTried();
    InstallerWorld world(Archiver::Missing);
    Start(world);
    ExpectMessageOnInstall("unzip32.DLLが開けませんでした");
    ExpectOpenAndUntouched(world);
    ExpectMessageOnInstall("unzip32.DLLが開けませんでした");
    ExpectOpenAndUntouched(world);
    CancelAndExpectNormalEnd();
    figures::SurvivedIfPassing();
}

// The library loads, its entry is not found under the exact name, nothing of
// it is called, and it is released before the user is told.
TEST_F(ProgramArchiver, LibraryWithoutItsEntryPointIsReportedAndReleased) {
    figures::InputTried();
    InstallerWorld world(Archiver::WithoutEntryPoint);
    Start(world);
    ExpectMessageOnInstall("unzip32.DLLにUnZipが見つかりませんでした");
    ExpectOpenAndUntouched(world);
    EXPECT_EQ(world.Records("event", "loaded").size(), 1u);
    EXPECT_EQ(world.Records("event", "freed").size(), 1u);
    EXPECT_TRUE(world.Records("event", "called UnZip@16").empty());
    EXPECT_TRUE(world.Records("event", "called unzip").empty());
    CancelAndExpectNormalEnd();
    figures::SurvivedIfPassing();
}

// A nonzero result shows no message and leaves everything as it was; the
// library filled all 500 bytes of its output buffer each time; Install works
// again.
TEST_F(ProgramArchiver, FailingLibraryThatFillsItsBufferLeavesTheDialogUsable) {
    figures::InputTried(2);
    InstallerWorld world;
    Start(world, {{"KVSTUB_RESULT", "1"}, {"KVSTUB_FILL_OUTPUT", "1"}});
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ClickButton(dialog, IDOK);
        ASSERT_TRUE(WaitUntil(
            [&] {
                return world.Records("result", "1").size() == static_cast<std::size_t>(attempt);
            },
            kWindowTimeoutMs))
            << "attempt " << attempt;
        WindowQuery boxes;
        boxes.processId = installer.Id();
        boxes.className = "#32770";
        boxes.owner = dialog;
        EXPECT_TRUE(StaysAbsent(boxes, kQuietPeriodMs));
        ExpectOpenAndUntouched(world);
    }
    for (const StubRecord& call : world.Records("entry", "UnZip")) {
        EXPECT_EQ(call.at("outputSize"), "500");
        EXPECT_EQ(call.at("ownerTitle"), kMainCaption);
        EXPECT_EQ(call.at("commandLine"), "-x -o " + world.Path("save") + "\\" + kPackage + " " +
                                              world.Path("install") + "\\");
    }
    CancelAndExpectNormalEnd();
    figures::SurvivedIfPassing(2);
}

// A library that takes 3 s blocks the dialog for that long, then the dialog
// answers again.
TEST_F(ProgramArchiver, SlowLibraryBlocksTheDialogUntilItReturns) {
    figures::InputTried();
    InstallerWorld world;
    Start(world, {{"KVSTUB_RESULT", "1"}, {"KVSTUB_DELAY_MS", "3000"}});
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(
        WaitUntil([&] { return !world.Records("entry", "UnZip").empty(); }, kWindowTimeoutMs));
    EXPECT_FALSE(Answers(dialog, 1000)) << "the dialog answered during the archiver's call";
    ASSERT_TRUE(WaitUntil([&] { return !world.Records("result", "1").empty(); }, kWindowTimeoutMs));
    EXPECT_TRUE(Answers(dialog, 5000));
    ExpectOpenAndUntouched(world);
    CancelAndExpectNormalEnd();
    figures::SurvivedIfPassing();
}

} // namespace
