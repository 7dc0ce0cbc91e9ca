// The hardening tests' entry point: the multibyte code page follows the
// system's ANSI code page, as in the installer, and the figures are printed last.
#include "figures.h"
#include <gtest/gtest.h>
#include <mbctype.h>

int main(int argc, char** argv) {
    _setmbcp(_MB_CP_ANSI);
    ::testing::InitGoogleTest(&argc, argv);
    figures::Install();
    return RUN_ALL_TESTS();
}
