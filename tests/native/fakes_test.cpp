// The fakes' own Win32 rules, where a mistake would make the core tests lie.
#include "fake_calendar.h"
#include "fake_names.h"
#include "fake_platform.h"
#include "fake_profile.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(FakeNames, WildcardsMatchLikeWin32) {
    struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"kv*.lzh", "kv2024_0115.lzh", true},
        {"kv*.lzh", "kv.lzh", true},
        {"kv*.lzh", "kv2024_0115.lzh.old", false},
        {"kv*_.lzh", "kv2024_0115.lzh", false},
        {"kv*.lzh*", "kv2024_0115.lzh.old", true},
        {"kv*.zip", "kv.a.b.zip", true},
        {"kv?.zip", "kv1.zip", true},
        {"kv?.zip", "kv.zip", false},
        {"kv?.zip", "kv表.zip", true},
        {"kv??.zip", "kv表.zip", false},
        {"*", "", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc_", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesWildcard(FoldCase(c.pattern), FoldCase(c.name)), c.matches)
            << c.pattern << " " << c.name;
}

TEST(FakeNames, CaseFoldingSparesTrailBytes) {
    EXPECT_EQ(FoldCase("KV\x83\x41Z"), "kv\x83\x41z"); // ア keeps its trail byte 'A'
    EXPECT_EQ(PathKey("D:\\DL\\\\kv"), "d:\\dl\\kv");
    EXPECT_EQ(LastSeparator("C:\\a\\表"), 4u);
}

TEST(FakeCalendar, SplitsFileTimesOnTheRealCalendar) {
    SystemTime t{};
    ASSERT_TRUE(SplitFileTime(FileTimeOf(0), t));
    EXPECT_EQ((std::vector<int>{t.wYear, t.wMonth, t.wDay, t.wDayOfWeek}),
              (std::vector<int>{1601, 1, 1, 1}));
    // 2024-02-29 12:34:56.789 UTC, a Thursday: 133536836967890000 ticks.
    ASSERT_TRUE(SplitFileTime(FileTimeOf(133536836967890000ull), t));
    EXPECT_EQ((std::vector<int>{t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute,
                                t.wSecond, t.wMilliseconds}),
              (std::vector<int>{2024, 2, 29, 4, 12, 34, 56, 789}));
    EXPECT_EQ(TicksOf(FileTimeFromDate(2024, 2, 29, 12, 34, 56, 789)), 133536836967890000ull);
    EXPECT_FALSE(SplitFileTime(FileTimeOf(1ull << 63), t));
}

TEST(FakeProfile, ReadsValuesLikeGetPrivateProfileString) {
    const std::string text = "x=0\n[a]\r\nk = \" v \" \r\n[B]\r\nK='q'\r\nK=second\r\nn=\"x'\r\n";
    std::string value;
    EXPECT_TRUE(ReadProfileValue(text, "A", "K", value));
    EXPECT_EQ(value, " v ");
    EXPECT_TRUE(ReadProfileValue(text, "b", "k", value));
    EXPECT_EQ(value, "q");
    EXPECT_TRUE(ReadProfileValue(text, "b", "n", value));
    EXPECT_EQ(value, "\"x'");
    EXPECT_FALSE(ReadProfileValue(text, "a", "x", value));
    EXPECT_FALSE(ReadProfileValue(text, "c", "k", value));
}

TEST(FakeProfile, WritesInPlaceAtSectionEndOrAsNewSection) {
    EXPECT_EQ(WriteProfileValue("[a]\r\nk=1\r\nj=2", "A", "K", "3"), "[a]\r\nk=3\r\nj=2");
    EXPECT_EQ(WriteProfileValue("[a]\r\nk=1\r\n\r\n[b]\r\n", "a", "n", "2"),
              "[a]\r\nk=1\r\nn=2\r\n\r\n[b]\r\n");
    EXPECT_EQ(WriteProfileValue("[a]\r\nk=1", "a", "n", "2"), "[a]\r\nk=1\r\nn=2\r\n");
    EXPECT_EQ(WriteProfileValue("[a]\r\nk=1", "b", "n", ""), "[a]\r\nk=1\r\n[b]\r\nn=\r\n");
}

TEST(FakePlatform, CopiesAtMostSizeMinusOneBytes) {
    CFakePlatform platform;
    char buffer[8];
    platform.modulePath = "C:\\abcdefgh";
    EXPECT_EQ(platform.GetModuleFileNameA(buffer, sizeof buffer), 8u);
    EXPECT_STREQ(buffer, "C:\\abcd");
    platform.files.AddFile("C:\\t.ini", "[s]\r\nk=0123456789\r\n");
    EXPECT_EQ(platform.GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, "C:\\T.INI"),
              7u);
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(
        platform.GetPrivateProfileStringA("s", "x", "dflt  ", buffer, sizeof buffer, "C:\\t.ini"),
        4u);
    EXPECT_STREQ(buffer, "dflt");
    WindowHandle window = platform.AddWindow("0123456789");
    EXPECT_EQ(platform.GetWindowTextA(window, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "0123456");
}

TEST(FakePlatform, ListsByCreationOrderAndFailsForMissingFolders) {
    CFakePlatform platform;
    platform.files.AddFile("D:\\dl\\kvB.zip");
    platform.files.AddDirectory("D:\\dl\\KVA.ZIP");
    platform.files.AddFile("D:\\dl\\sub\\kvC.zip");
    FindData data;
    FindHandle listing = platform.FindFirstFileA("d:\\DL\\kv*.zip", &data);
    ASSERT_NE(listing, kInvalidFindHandle);
    EXPECT_STREQ(data.cFileName, "kvB.zip");
    ASSERT_TRUE(platform.FindNextFileA(listing, &data));
    EXPECT_STREQ(data.cFileName, "KVA.ZIP");
    EXPECT_EQ(data.dwFileAttributes, kFileAttributeDirectory);
    EXPECT_FALSE(platform.FindNextFileA(listing, &data));
    platform.FindClose(listing);
    EXPECT_EQ(platform.OpenListings(), 0);
    EXPECT_EQ(platform.FindFirstFileA("D:\\none\\kv*.zip", &data), kInvalidFindHandle);
    EXPECT_EQ(platform.FindFirstFileA("D:\\dl\\kv*.lzh", &data), kInvalidFindHandle);
}

TEST(FakePlatform, WritesFailForReadOnlyFilesAndMissingFolders) {
    CFakePlatform platform;
    EXPECT_FALSE(platform.WritePrivateProfileStringA("s", "k", "v", "C:\\none\\t.ini"));
    platform.files.AddFile("C:\\ro.ini", "[s]\r\n", {}, kFakeAttributeReadOnly);
    EXPECT_FALSE(platform.WritePrivateProfileStringA("s", "k", "v", "C:\\ro.ini"));
    EXPECT_EQ(platform.files.Find("C:\\ro.ini")->content, "[s]\r\n");
    EXPECT_TRUE(platform.WritePrivateProfileStringA("s", "k", "v", "C:\\new.ini"));
    EXPECT_EQ(platform.files.Find("C:\\new.ini")->content, "[s]\r\nk=v\r\n");
}

} // namespace
