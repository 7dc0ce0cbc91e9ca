// The real Win32 platform with one change: the installer's own executable is
// said to be wherever a test puts it, so that kvinst.ini lands in a test folder.
#pragma once
#include "win32_platform.h"
#include <string>
#include <utility>

class CModulePathPlatform : public CWin32Platform {
  public:
    explicit CModulePathPlatform(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

    // GetModuleFileNameA's contract: at most size - 1 bytes and a NUL; the
    // copied length, or size when the path was cut.
    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override {
        if (size == 0)
            return 0;
        const std::size_t copied = m_modulePath.copy(buffer, size - 1);
        buffer[copied] = '\0';
        return m_modulePath.size() < size ? static_cast<std::uint32_t>(copied) : size;
    }

  private:
    std::string m_modulePath;
};
