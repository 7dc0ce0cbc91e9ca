// Text rules: quoting for the archiver's command line, and the folder picker's
// initial selection with the code page 932 lead bytes at their range edges.
#include "fake_platform.h"
#include "quote.h"
#include "text.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Text, QuoteIfSpaced) {
    const std::string spaced253 = "a " + std::string(251, 'b');
    const struct {
        std::string text, quoted;
        bool fits;
    } rows[] = {
        {"", "", true},
        {"E:\\kv\\", "E:\\kv\\", true},
        {"a b", "\"a b\"", true},
        {"a\tb", "a\tb", true},
        {"\x81\x40", "\x81\x40", true}, // the double-byte blank
        {"\"a b\"", "\"\"a b\"\"", true},
        {spaced253, "\"" + spaced253 + "\"", true},
        {spaced253 + "c", spaced253 + "c", false},
    };
    for (const auto& row : rows) {
        char buffer[300];
        row.text.copy(buffer, row.text.size());
        buffer[row.text.size()] = '\0';
        EXPECT_EQ(QuoteIfSpaced(buffer), row.fits) << row.text;
        EXPECT_EQ(buffer, row.quoted);
    }
}

TEST(Text, InitialSelection) {
    const struct {
        const char *text, *selection;
    } rows[] = {
        {"D:\\Work\\", "D:\\Work"}, {"D:\\Work\\\\", "D:\\Work\\"},
        {"D:\\", "D:\\"},           {"D:", "D:\\"},
        {"D:\\表", "D:\\表"},       {"", ""},
        {"\x80\\", "\x80"},         {"\x81\\", "\x81\\"},
        {"\x9F\\", "\x9F\\"},       {"\xA0\\", "\xA0"},
        {"\xDF\\", "\xDF"},         {"\xE0\\", "\xE0\\"},
        {"\xFC\\", "\xFC\\"},       {"\xFD\\", "\xFD"},
    };
    for (const auto& row : rows) {
        char buffer[kMaxPath] = {};
        std::string(row.text).copy(buffer, kMaxPath - 2);
        PrepareInitialSelection(buffer, IsCp932LeadByte);
        EXPECT_STREQ(buffer, row.selection) << row.text;
    }
}

} // namespace
