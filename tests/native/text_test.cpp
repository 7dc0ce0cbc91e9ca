// Quoting for the archiver's command line, and the folder picker's initial
// selection, with code page 932 lead bytes at the edges of their ranges.
#include "fake_platform.h"
#include "quote.h"
#include "text.h"
#include <gtest/gtest.h>

TEST(Text, QuoteIfSpaced) {
    const std::string spaced253 = "a " + std::string(251, 'b');
    const std::string rows[][2] = {{"", ""},
                                   {"a\tb", "a\tb"},
                                   {"\x81\x40", "\x81\x40"},
                                   {"\"a b\"", "\"\"a b\"\""},
                                   {spaced253, "\"" + spaced253 + "\""},
                                   {spaced253 + "c", spaced253 + "c"}}; // too long to quote
    for (const auto& [text, quoted] : rows) {
        char buffer[300] = {};
        text.copy(buffer, text.size());
        EXPECT_EQ(QuoteIfSpaced(buffer), text.size() < 254);
        EXPECT_EQ(buffer, quoted);
    }
}

TEST(Text, InitialSelection) {
    const char* const rows[][2] = {{"D:\\Work\\", "D:\\Work"}, {"D:\\Work\\\\", "D:\\Work\\"},
                                   {"D:\\", "D:\\"},           {"D:", "D:\\"},
                                   {"D:\\表", "D:\\表"},       {"", ""},
                                   {"\x80\\", "\x80"},         {"\x81\\", "\x81\\"},
                                   {"\x9F\\", "\x9F\\"},       {"\xA0\\", "\xA0"},
                                   {"\xDF\\", "\xDF"},         {"\xE0\\", "\xE0\\"},
                                   {"\xFC\\", "\xFC\\"},       {"\xFD\\", "\xFD"}};
    for (const auto& [text, selection] : rows) {
        char buffer[kMaxPath] = {};
        std::strcpy(buffer, text);
        PrepareInitialSelection(buffer, IsCp932LeadByte);
        EXPECT_STREQ(buffer, selection) << text;
    }
}
