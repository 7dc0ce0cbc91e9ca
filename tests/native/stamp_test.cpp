// The stamp order and the stem taken from a listed name.
#include "stamp.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

struct StampCase {
    const char* best;
    const char* candidate;
    bool accepted;
};

class StampOrder : public ::testing::TestWithParam<StampCase> {};

TEST_P(StampOrder, AcceptsOnlyWellFormedStampsNotBelowTheBest) {
    const StampCase& c = GetParam();
    char best[kStampLength + 1];
    std::memcpy(best, c.best, sizeof best);
    EXPECT_EQ(IsNewerStamp(best, c.candidate), c.accepted);
    EXPECT_STREQ(best, c.accepted ? c.candidate : c.best);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, StampOrder,
    ::testing::Values(
        // Order: byte by byte from the left, '_' above every digit, equal counts as newer.
        StampCase{"1990_0101", "2024_0115", true}, StampCase{"2024_0115", "2024_0114", false},
        StampCase{"2024_0115", "2024_0115", true}, StampCase{"2024_0115", "202401155", false},
        StampCase{"2023_1231", "202401155", true}, StampCase{"202401155", "2024_0101", true},
        StampCase{"2024_0301", "2023_1224", false}, StampCase{"2024_0115", "2024_1340", true},
        // The baseline itself is accepted; nothing below it ever is.
        StampCase{"1990_0101", "1990_0101", true}, StampCase{"1990_0101", "1990_0100", false},
        StampCase{"1990_0101", "1989_1231", false},
        // Exactly nine bytes, digits with '_' allowed only at position 4.
        StampCase{"1990_0101", "2024_011", false}, StampCase{"1990_0101", "2024_01150", false},
        StampCase{"1990_0101", "", false}, StampCase{"1990_0101", "2024-0115", false},
        StampCase{"1990_0101", "2024_01a5", false}, StampCase{"1990_0101", "20_4_0115", false},
        StampCase{"1990_0101", "2024_011_", false},
        // Bytes above 0x7F are never digits: a half-width katakana, a double-byte character.
        StampCase{"1990_0101", "2024_011ｱ", false}, StampCase{"1990_0101", "2024_01表", false},
        StampCase{"1990_0101", "2024_\x82\x4f\x82\x50", false}));

struct StemCase {
    const char* name;
    int pattern;
    const char* stem;
};

class StemExtraction : public ::testing::TestWithParam<StemCase> {};

TEST_P(StemExtraction, CutsAtTheFirstDot) {
    const StemCase& c = GetParam();
    char stem[260];
    std::memset(stem, 'x', sizeof stem);
    ExtractStem(c.name, c.pattern, stem);
    EXPECT_STREQ(stem, c.stem);
}

INSTANTIATE_TEST_SUITE_P(
    Stems, StemExtraction,
    ::testing::Values(StemCase{"kv2024_0115_.lzh", kUnderscorePattern, "2024_0115"},
                      StemCase{"kv2024_0115_.lzh", kPlainPattern, "2024_0115_"},
                      StemCase{"kv2024_0115.zip", kPlainPattern, "2024_0115"},
                      StemCase{"kv2024_0115.zip", kUnderscorePattern, "2024_011"},
                      StemCase{"kv2024_0115.zip.old", kPlainPattern, "2024_0115"},
                      // The first dot decides: the byte before it is dropped, not the '_'.
                      StemCase{"kv2024_0115X.old_.lzh", kUnderscorePattern, "2024_0115"},
                      // A dot right after the prefix leaves nothing (i = 0).
                      StemCase{"kv.2024_0115_.lzh", kUnderscorePattern, ""},
                      StemCase{"kv.2024_0115.lzh", kPlainPattern, ""},
                      // No dot: the whole rest, for both patterns.
                      StemCase{"kv2024_0115", kUnderscorePattern, "2024_0115"},
                      StemCase{"kv2024_0115", kPlainPattern, "2024_0115"},
                      // The prefix is dropped whatever its case; a trail byte is never a dot.
                      StemCase{"KV2024_0115.LZH", kPlainPattern, "2024_0115"},
                      StemCase{"kv表2024.lzh", kPlainPattern, "表2024"},
                      StemCase{"kvx", kPlainPattern, "x"}));

} // namespace
