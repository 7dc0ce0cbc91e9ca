// Closing the running viewer: which windows match, and the bounded wait.
#include "installer_fixture.h"
#include "shutdown.h"
#include <string>
#include <vector>

namespace {

class ShutdownTest : public InstallerTest {
  protected:
    int Enumerations() const { return static_cast<int>(EventsStartingWith("enum").size()); }
};

TEST_F(ShutdownTest, NoMatchingWindowMeansNothingPostedAndOnePollWithoutSleep) {
    platform.AddWindow("Notepad");
    platform.AddWindow("");
    EXPECT_TRUE(installer.CloseRunningApp());
    EXPECT_EQ(platform.events, (std::vector<std::string>{"enum", "enum"}));
}

TEST_F(ShutdownTest, OnlyTitlesLongerThanAndEndingInTheSuffixAreAskedToClose) {
    const std::string title299 = std::string(294, 'x') + " - kv";
    const std::string title300 = std::string(295, 'x') + " - kv";
    const std::string title400 = std::string(395, 'x') + " - kv";
    for (const std::string& title :
         {std::string(" - kv"), std::string("a - kv"), std::string("X - KV"), std::string("X - kV"),
          std::string("X - kv "), std::string("X- kv"), std::string("ドキュメント - kv"), title299,
          title300, title400})
        platform.AddWindow(title);

    EXPECT_TRUE(installer.CloseRunningApp());

    // Titles are read into 300 bytes: a longer one is judged by its first 299.
    EXPECT_EQ(
        EventsStartingWith("post:"),
        (std::vector<std::string>{"post:a - kv", "post:ドキュメント - kv", "post:" + title299}));
}

TEST_F(ShutdownTest, TwoWindowsAreBothAskedInEnumerationOrder) {
    platform.AddWindow("first.txt - kv");
    platform.AddWindow("Explorer");
    platform.AddWindow("second.png - kv");
    EXPECT_TRUE(installer.CloseRunningApp());
    EXPECT_EQ(platform.events, (std::vector<std::string>{"enum", "post:first.txt - kv",
                                                         "post:second.png - kv", "enum"}));
}

struct WaitCase {
    int listedAfterClose;
    bool closed;
    int sleeps;
};

class ShutdownWait : public ShutdownTest, public ::testing::WithParamInterface<WaitCase> {};

// At most 20 polls with a 500 ms sleep after each unsuccessful one, and no
// poll after the 20th sleep.
TEST_P(ShutdownWait, PollsUntilTheWindowIsGoneOrTwentySleepsHavePassed) {
    const WaitCase& c = GetParam();
    platform.AddWindow("a - kv", c.listedAfterClose);
    EXPECT_EQ(installer.CloseRunningApp(), c.closed);
    EXPECT_EQ(platform.sleepCount, c.sleeps);
    EXPECT_EQ(platform.sleptMilliseconds, 500u * c.sleeps);
    EXPECT_EQ(Enumerations(), 1 + (c.closed ? c.sleeps + 1 : 20));
    EXPECT_EQ(EventsStartingWith("sleep:"), std::vector<std::string>(c.sleeps, "sleep:500"));
    EXPECT_EQ(platform.events.back(), c.closed ? "enum" : "sleep:500");
}

INSTANTIATE_TEST_SUITE_P(Polls, ShutdownWait,
                         ::testing::Values(WaitCase{0, true, 0}, WaitCase{3, true, 3},
                                           WaitCase{19, true, 19}, WaitCase{20, false, 20},
                                           WaitCase{FakeTopWindow::kNeverCloses, false, 20}));

TEST_F(ShutdownTest, FailedPostStopsThePassAndFailsWithoutPolling) {
    platform.AddWindow("a - kv");
    platform.AddWindow("b - kv", 0, true);
    platform.AddWindow("c - kv");
    EXPECT_FALSE(installer.CloseRunningApp());
    EXPECT_EQ(platform.events, (std::vector<std::string>{"enum", "post:a - kv", "post:b - kv"}));
    EXPECT_EQ(platform.sleepCount, 0);
}

TEST_F(ShutdownTest, CallbacksReportWhetherToGoOn) {
    WindowHandle other = platform.AddWindow("Notepad");
    WindowHandle viewer = platform.AddWindow("a - kv");
    EXPECT_TRUE(FindAppWindowProc(other, &platform));
    EXPECT_FALSE(FindAppWindowProc(viewer, &platform));
    EXPECT_TRUE(CloseAppWindowProc(other, &platform));
    EXPECT_TRUE(CloseAppWindowProc(viewer, &platform));
    EXPECT_EQ(EventsStartingWith("post:"), std::vector<std::string>{"post:a - kv"});
}

} // namespace
