// An installer wired to the fake platform and window.
#pragma once
#include "fake_platform.h"
#include "fake_window.h"
#include "installer.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

class InstallerTest : public ::testing::Test {
  protected:
    CFakePlatform platform;
    CFakeWindow window{platform.events};
    CInstaller installer{platform, window};

    static void SetText(char (&field)[kMaxPath], const std::string& text) {
        ASSERT_LT(text.size(), sizeof field);
        std::memcpy(field, text.c_str(), text.size() + 1);
    }

    // The logged events that start with prefix, in order.
    std::vector<std::string> EventsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& event : platform.events) {
            if (event.compare(0, prefix.size(), prefix) == 0)
                found.push_back(event);
        }
        return found;
    }
};

inline bool IsAllZero(const void* data, std::size_t size) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0)
            return false;
    }
    return true;
}
