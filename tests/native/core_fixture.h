// An installer on the in-memory platform, its state first filled with junk so
// that whatever an operation should set and does not shows.
#pragma once
#include "fake_platform.h"
#include "installer.h"
#include <gtest/gtest.h>

struct Core {
    CFakePlatform fake;
    CInstaller in{fake, fake};
    Core() {
        std::memset(in.m_installDir, 0x5A,
                    reinterpret_cast<char*>(&in.m_settingsLoaded) - in.m_installDir);
    }
};

inline void SetText(char (&field)[kMaxPath], const std::string& text) {
    field[text.copy(field, kMaxPath - 1)] = '\0';
}
