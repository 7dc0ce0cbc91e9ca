// The Windows tests' entry point: the multibyte code page is set the way the
// installer sets it at start, so that lead-byte tests follow code page 932.
#include <gtest/gtest.h>
#include <mbctype.h>

int main(int argc, char** argv) {
    _setmbcp(_MB_CP_ANSI);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
