// An installer on the in-memory platform, its state filled with junk bytes
// first, so that whatever an operation should set and does not shows.
#pragma once
#include "fake_platform.h"
#include "installer.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

struct Core {
    CFakePlatform platform;
    CFakeWindow window{platform.log};
    CInstaller installer{platform, window};

    Core() {
        char* first = installer.m_installDir;
        std::memset(first, 0x5A, reinterpret_cast<char*>(&installer.m_settingsLoaded) - first);
    }
};

inline void SetText(char (&field)[kMaxPath], const std::string& text) {
    ASSERT_LT(text.size(), sizeof field);
    std::memcpy(field, text.c_str(), text.size() + 1);
}
