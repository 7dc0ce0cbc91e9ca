// An installer on the in-memory platform, its state first filled with junk so
// that what an operation should set and does not shows.
#pragma once
#include "fake_platform.h"
#include "installer.h"
#include <gtest/gtest.h>

struct Core {
    CFakePlatform fake;
    CInstaller in{fake, fake};
    Core() { // every field from m_installDir to m_archiver
        char* first = in.m_installDir;
        std::memset(first, 0x5A, reinterpret_cast<char*>(&in.m_archiver + 1) - first);
    }
};

inline void SetText(char (&field)[kMaxPath], const std::string& text) {
    field[text.copy(field, kMaxPath - 1)] = '\0';
}
