// The install sequence, asserted through the ordered log of what it did.
#include "fake_calendar.h"
#include "installer_fixture.h"
#include "quote.h"
#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

SystemTime Time(int year, int month, int day, int hour, int minute, int second,
                int milliseconds = 0, int dayOfWeek = 0) {
    return {static_cast<std::uint16_t>(year),      static_cast<std::uint16_t>(month),
            static_cast<std::uint16_t>(dayOfWeek), static_cast<std::uint16_t>(day),
            static_cast<std::uint16_t>(hour),      static_cast<std::uint16_t>(minute),
            static_cast<std::uint16_t>(second),    static_cast<std::uint16_t>(milliseconds)};
}

// The state a scan leaves for kv2025_0301.zip in D:\dl and kv.exe of
// 2025-02-10 in E:\kv, with every option on and both archivers installed.
class InstallTest : public InstallerTest {
  protected:
    void SetUp() override {
        platform.libraries = {{"UNLHA32.DLL", {"Unlha", "UnlhaGetVersion"}},
                              {"unzip32.DLL", {"UnZipGetVersion", "UnZip"}}};
        SetText(installer.m_saveDir, "D:\\dl");
        SetText(installer.m_installDir, "E:\\kv");
        installer.m_deleteFile = installer.m_quitApp = installer.m_executeApp = 1;
        SelectPackage("kv2025_0301.zip", 1);
        SetText(installer.m_installedFind.cFileName, "kv.exe");
        installer.m_packageTime = Time(2025, 3, 1, 23, 59, 59);
        installer.m_installedTime = Time(2025, 2, 10, 8, 5, 3);
    }

    void SelectPackage(const std::string& name, int archiver) {
        SetText(installer.m_packageFind.cFileName, name);
        installer.m_archiver = archiver;
        platform.files.AddFile(std::string(installer.m_saveDir) + "\\" + name, "package");
    }

    void ExpectOnlyMessage(const std::string& text, const std::optional<std::string>& caption,
                           unsigned type) {
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text, text);
        EXPECT_EQ(window.messages[0].caption, caption);
        EXPECT_EQ(window.messages[0].type, type);
    }

    // What unpacking through unzip32.DLL logs, from loading to freeing.
    Events Unpacked(const std::string& commandLine) {
        return {"load:unzip32.DLL", "proc:UnZip", "call:" + commandLine, "free"};
    }
};

TEST_F(InstallTest, WithoutAPackageOnlyTellsTheUser) {
    installer.m_packageFind = FindData{};
    installer.m_archiver = -1;
    platform.AddWindow("a - kv");
    installer.Install();
    EXPECT_EQ(platform.events, Events{"message:Installするファイルがありません"});
    ExpectOnlyMessage("Installするファイルがありません", std::nullopt, kMbOk);
}

TEST_F(InstallTest, ZipPackageIsUnpackedDeletedAndTheProgramStarted) {
    installer.Install();
    EXPECT_EQ(platform.events,
              (Events{"enum", "enum", "load:unzip32.DLL", "proc:UnZip",
                      "call:-x -o D:\\dl\\kv2025_0301.zip E:\\kv\\", "free",
                      "delete:D:\\dl\\kv2025_0301.zip", "exec:E:\\kv\\kv.exe|E:\\kv\\", "end"}));
    ASSERT_EQ(platform.archiverCalls.size(), 1u);
    EXPECT_EQ(platform.archiverCalls[0].entryName, "UnZip");
    EXPECT_EQ(platform.archiverCalls[0].owner, window.handle);
    EXPECT_EQ(platform.archiverCalls[0].outputSize, 500u);
    EXPECT_EQ(platform.files.Find("D:\\dl\\kv2025_0301.zip"), nullptr);
    EXPECT_EQ(platform.loadedLibraries, 0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(InstallTest, LhaPackageUsesItsOwnLibraryEntryAndSwitches) {
    SelectPackage("kv2025_0301_.lzh", 0);
    installer.m_quitApp = 0;
    installer.m_deleteFile = 0;
    installer.m_executeApp = 0;
    installer.Install();
    EXPECT_EQ(platform.events,
              (Events{"load:UNLHA32.DLL", "proc:Unlha",
                      "call:e -m1 -c1 D:\\dl\\kv2025_0301_.lzh E:\\kv\\", "free", "end"}));
}

// The road of one install, from the folders to the end of the dialog.
TEST_F(InstallTest, ScanThenInstallNeedsNoQuestionForANewerPackage) {
    platform.files.AddFile("E:\\kv\\kv.exe", "", FileTimeFromDate(2025, 2, 10, 8, 5, 3));
    platform.AddWindow("readme.txt - kv", 2);
    installer.ScanPackages();
    platform.events.clear();

    installer.Install();

    EXPECT_EQ(
        platform.events,
        (Events{"enum", "post:readme.txt - kv", "enum", "sleep:500", "enum", "sleep:500", "enum",
                "load:unzip32.DLL", "proc:UnZip", "call:-x -o D:\\dl\\kv2025_0301.zip E:\\kv\\",
                "free", "delete:D:\\dl\\kv2025_0301.zip", "exec:E:\\kv\\kv.exe|E:\\kv\\", "end"}));
}

struct AgeCase {
    const char* title;
    SystemTime installed;
    SystemTime package;
    bool asked;
};

class InstallAge : public InstallTest, public ::testing::WithParamInterface<AgeCase> {};

TEST_P(InstallAge, AsksOnlyWhenTheInstalledProgramIsNewer) {
    const AgeCase& c = GetParam();
    installer.m_installedTime = c.installed;
    installer.m_packageTime = c.package;
    installer.Install();
    if (c.asked) {
        ExpectOnlyMessage("古いファイルで上書きしますか", "確認", kMbOkCancel);
        EXPECT_EQ(platform.events.front(), "message:古いファイルで上書きしますか");
    } else {
        EXPECT_TRUE(window.messages.empty());
    }
    EXPECT_EQ(window.endCount, 1); // OK goes on
}

INSTANTIATE_TEST_SUITE_P(
    Fields, InstallAge,
    ::testing::Values(
        AgeCase{"EqualExceptMillisecondsAndWeekday", Time(2025, 3, 1, 23, 59, 59, 999, 6),
                Time(2025, 3, 1, 23, 59, 59), false},
        AgeCase{"SameDayAsTheStamp", Time(2025, 3, 1, 23, 59, 58), Time(2025, 3, 1, 23, 59, 59),
                false},
        AgeCase{"LaterDay", Time(2025, 3, 2, 0, 0, 0), Time(2025, 3, 1, 23, 59, 59), true},
        AgeCase{"EarlierYearLaterMonth", Time(2024, 12, 31, 0, 0, 0), Time(2025, 1, 1, 23, 59, 59),
                false},
        AgeCase{"LaterMonthEarlierDay", Time(2025, 4, 1, 0, 0, 0), Time(2025, 3, 31, 23, 59, 59),
                true},
        AgeCase{"LaterSecond", Time(2025, 3, 1, 12, 0, 1), Time(2025, 3, 1, 12, 0, 0), true},
        AgeCase{"LaterMinute", Time(2025, 3, 1, 12, 1, 0), Time(2025, 3, 1, 12, 0, 59), true},
        // Compared unsigned: a stamp month of 13 stays above any real month.
        AgeCase{"StampMonthThirteen", Time(2025, 12, 31, 0, 0, 0), Time(2025, 13, 1, 23, 59, 59),
                false},
        AgeCase{"YearAbove32767", Time(40000, 1, 1, 0, 0, 0), Time(2025, 1, 1, 23, 59, 59), true}),
    [](const ::testing::TestParamInfo<AgeCase>& info) { return info.param.title; });

TEST_F(InstallTest, WithoutAnInstalledProgramThereIsNoQuestion) {
    installer.m_installedFind = FindData{};
    installer.m_installedTime = Time(2099, 1, 1, 0, 0, 0);
    installer.Install();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.endCount, 1);
}

TEST_F(InstallTest, CancelledQuestionTouchesNothing) {
    installer.m_installedTime = Time(2025, 3, 2, 0, 0, 0);
    platform.AddWindow("a - kv");
    window.answers = {kIdCancel};
    installer.Install();
    EXPECT_EQ(platform.events, Events{"message:古いファイルで上書きしますか"});
    EXPECT_NE(platform.files.Find("D:\\dl\\kv2025_0301.zip"), nullptr);
}

TEST_F(InstallTest, WithQuitOffNoWindowIsTouched) {
    installer.m_quitApp = 0;
    platform.AddWindow("a - kv", FakeTopWindow::kNeverCloses);
    installer.Install();
    EXPECT_TRUE(EventsStartingWith("enum").empty());
    EXPECT_TRUE(EventsStartingWith("post:").empty());
    EXPECT_EQ(window.endCount, 1);
}

TEST_F(InstallTest, ViewerThatDoesNotCloseStopsBeforeLoading) {
    platform.AddWindow("a - kv", 0, true);
    installer.Install();
    EXPECT_EQ(platform.events,
              (Events{"enum", "post:a - kv", "message:Kolva Viewを終了できませんでした"}));
    ExpectOnlyMessage("Kolva Viewを終了できませんでした", std::nullopt, kMbOk);
}

TEST_F(InstallTest, MissingLibraryIsReportedAfterTheViewerWasClosed) {
    platform.libraries.clear();
    platform.AddWindow("a - kv");
    installer.Install();
    EXPECT_EQ(platform.events, (Events{"enum", "post:a - kv", "enum", "load:unzip32.DLL",
                                       "message:unzip32.DLLが開けませんでした"}));
    ExpectOnlyMessage("unzip32.DLLが開けませんでした", std::nullopt, kMbOk);
    EXPECT_EQ(window.endCount, 0);
}

TEST_F(InstallTest, MissingEntryPointFreesTheLibraryAndNeverCallsIt) {
    platform.libraries = {{"unzip32.DLL", {"UnZipGetVersion", "unzip"}}};
    installer.m_quitApp = 0;
    installer.Install();
    EXPECT_EQ(platform.events, (Events{"load:unzip32.DLL", "proc:UnZip", "free",
                                       "message:unzip32.DLLにUnZipが見つかりませんでした"}));
    EXPECT_EQ(platform.loadedLibraries, 0);
    EXPECT_EQ(window.endCount, 0);
}

TEST_F(InstallTest, FailedUnpackStopsSilentlyAndCanBeRetried) {
    installer.m_quitApp = 0;
    platform.archiverResult = -1;
    installer.Install();
    EXPECT_EQ(platform.events, Unpacked("-x -o D:\\dl\\kv2025_0301.zip E:\\kv\\"));
    EXPECT_NE(platform.files.Find("D:\\dl\\kv2025_0301.zip"), nullptr);
    EXPECT_TRUE(window.messages.empty());

    platform.archiverResult = 0;
    platform.events.clear();
    installer.Install();
    EXPECT_EQ(platform.events.back(), "end");
    EXPECT_EQ(platform.archiverCalls.size(), 2u);
}

TEST_F(InstallTest, WithDeleteAndExecuteOffASuccessJustEnds) {
    installer.m_quitApp = installer.m_deleteFile = installer.m_executeApp = 0;
    installer.Install();
    Events expected = Unpacked("-x -o D:\\dl\\kv2025_0301.zip E:\\kv\\");
    expected.push_back("end");
    EXPECT_EQ(platform.events, expected);
}

// Only the command line is quoted; the deletion and the start use plain paths.
TEST_F(InstallTest, FoldersWithABlankAreQuotedOnTheCommandLineOnly) {
    installer.m_quitApp = 0;
    SetText(installer.m_saveDir, "D:\\my dl");
    SetText(installer.m_installDir, "E:\\Program Files\\kv");
    SelectPackage("kv2025_0301.zip", 1);
    installer.Install();
    Events expected = Unpacked("-x -o \"D:\\my dl\\kv2025_0301.zip\" \"E:\\Program Files\\kv\\\"");
    expected.insert(expected.end(),
                    {"delete:D:\\my dl\\kv2025_0301.zip",
                     "exec:E:\\Program Files\\kv\\kv.exe|E:\\Program Files\\kv\\", "end"});
    EXPECT_EQ(platform.events, expected);
}

TEST_F(InstallTest, OnlyTheSingleByteBlankMakesQuotes) {
    installer.m_quitApp = installer.m_deleteFile = installer.m_executeApp = 0;
    SetText(installer.m_installDir, "E:\\Program\tFiles\\kv\x81\x40ja");
    installer.Install();
    EXPECT_EQ(platform.events[2],
              "call:-x -o D:\\dl\\kv2025_0301.zip E:\\Program\tFiles\\kv\x81\x40ja\\");
}

struct LongPathCase {
    const char* title;
    std::size_t saveDirLength;
    std::size_t installDirLength;
    bool blank; // the folders contain a blank, so their paths get quoted
    bool refused;
};

class InstallLongPaths : public InstallTest, public ::testing::WithParamInterface<LongPathCase> {
  protected:
    static std::string Folder(char drive, std::size_t length, bool blank) {
        std::string folder = std::string(1, drive) + ":\\" + std::string(length - 3, 'f');
        if (blank)
            folder[3] = ' ';
        return folder;
    }
};

// With the package kv2025_0301.zip (15 bytes): the archive path fits 259 bytes
// for a save folder of 243, 253 before quoting for 237; the program path
// "%s\kv.exe" fits for an install folder of 252. A refusal comes before the
// question, the shutdown and the library.
TEST_P(InstallLongPaths, PathsThatDoNotFitRefuseTheInstallFirst) {
    const LongPathCase& c = GetParam();
    const std::string saveDir = Folder('D', c.saveDirLength, c.blank);
    const std::string installDir = Folder('E', c.installDirLength, c.blank);
    SetText(installer.m_saveDir, saveDir);
    SetText(installer.m_installDir, installDir);
    SelectPackage("kv2025_0301.zip", 1);
    installer.m_installedTime = Time(2025, 3, 2, 0, 0, 0); // would ask
    installer.Install();
    if (c.refused) {
        const std::string tooLong = c.saveDirLength > 10 ? saveDir : installDir;
        const std::string message = "パスが長すぎるためInstallできません\n" + tooLong;
        EXPECT_EQ(platform.events, Events{"message:" + message});
        ExpectOnlyMessage(message, std::nullopt, kMbOk);
    } else {
        EXPECT_EQ(window.endCount, 1);
        EXPECT_EQ(platform.archiverCalls.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, InstallLongPaths,
    ::testing::Values(LongPathCase{"ArchiveFits", 243, 5, false, false},
                      LongPathCase{"ArchiveTooLong", 244, 5, false, true},
                      LongPathCase{"QuotedArchiveFits", 237, 5, true, false},
                      LongPathCase{"QuotedArchiveTooLong", 238, 5, true, true},
                      LongPathCase{"ProgramPathFits", 5, 252, false, false},
                      LongPathCase{"ProgramPathTooLong", 5, 253, false, true},
                      LongPathCase{"QuotedDestinationFits", 5, 252, true, false},
                      LongPathCase{"QuotedDestinationTooLong", 5, 253, true, true}),
    [](const ::testing::TestParamInfo<LongPathCase>& info) { return info.param.title; });

struct QuoteCase {
    std::string text;
    std::string quoted;
    bool fits;
};

class Quoting : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(Quoting, EnclosesTextWithABlankInDoubleQuotes) {
    const QuoteCase& c = GetParam();
    char buffer[kMaxPath];
    std::memcpy(buffer, c.text.c_str(), c.text.size() + 1);
    EXPECT_EQ(QuoteIfSpaced(buffer), c.fits);
    EXPECT_EQ(std::string(buffer), c.quoted);
}

const std::string k253WithBlank = "a " + std::string(251, 'b');
const std::string k254WithBlank = "a " + std::string(252, 'b');

INSTANTIATE_TEST_SUITE_P(
    Texts, Quoting,
    ::testing::Values(QuoteCase{"", "", true}, QuoteCase{"D:\\dl", "D:\\dl", true},
                      QuoteCase{"E:\\Program Files\\kv\\", "\"E:\\Program Files\\kv\\\"", true},
                      QuoteCase{"trailing ", "\"trailing \"", true},
                      QuoteCase{"\"a b\"", "\"\"a b\"\"", true}, QuoteCase{"a\tb", "a\tb", true},
                      QuoteCase{"a\x81\x40"
                                "b",
                                "a\x81\x40"
                                "b",
                                true},
                      QuoteCase{std::string(259, 'x'), std::string(259, 'x'), true},
                      QuoteCase{k253WithBlank, "\"" + k253WithBlank + "\"", true},
                      QuoteCase{k254WithBlank, k254WithBlank, false}));

} // namespace
