#include "unzip_command.h"
#include <gtest/gtest.h>

namespace {

TEST(UnzipCommand, TakesBareAndQuotedPaths) {
    UnzipCommand command;
    ASSERT_TRUE(ParseUnzipCommand("-x -o D:\\dl\\kv2025_0301.zip E:\\kv\\", command));
    EXPECT_EQ("D:\\dl\\kv2025_0301.zip", command.archive);
    EXPECT_EQ("E:\\kv\\", command.destination);

    // The installer's quoted destination ends with a backslash before the quote.
    ASSERT_TRUE(ParseUnzipCommand(
        "-x -o \"D:\\my dl\\kv2025_0301.zip\" \"E:\\Program Files\\kv\\\"", command));
    EXPECT_EQ("D:\\my dl\\kv2025_0301.zip", command.archive);
    EXPECT_EQ("E:\\Program Files\\kv\\", command.destination);

    // Code page 932 text whose second byte is 0x5C stays part of the path.
    ASSERT_TRUE(ParseUnzipCommand("-x -o \"D:\\\x95\x5C dl\\a.zip\" E:\\\x95\x5C\\", command));
    EXPECT_EQ("D:\\\x95\x5C dl\\a.zip", command.archive);
    EXPECT_EQ("E:\\\x95\x5C\\", command.destination);
}

TEST(UnzipCommand, RefusesEverythingElse) {
    const char* const refused[] = {
        "",
        "-x -o a.zip",                // no destination
        "-x -o a.zip b c",            // one part too many
        "-o -x a.zip b",              // switches swapped
        "e -m1 -c1 a.zip b",          // the LHA row's switches
        "-x  -o a.zip b",             // two blanks
        " -x -o a.zip b",             // leading blank
        "-x -o a.zip b ",             // trailing blank
        "-x -o \"a b.zip c",          // unterminated quote
        "-x -o a\"b.zip c",           // quote inside a bare path
        "-x -o \"a.zip\"b c",         // no blank after the closing quote
        "-x -o \"\" b",               // empty path
        "-x -o a.zip \"E:\\kv\\\" x", // a part after the destination
    };
    for (const char* line : refused) {
        UnzipCommand command;
        EXPECT_FALSE(ParseUnzipCommand(line, command)) << line;
    }
}

} // namespace
