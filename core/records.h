// Portable equivalents of the Win32 records the installer keeps: same members,
// same meaning, so the core builds without windows.h. The Win32 layer converts.
#pragma once
#include <cstdint>

constexpr int kMaxPath = 260; // MAX_PATH: 259 bytes of text and a NUL

constexpr std::uint32_t kFileAttributeDirectory = 0x10;

struct FileTime {
    std::uint32_t dwLowDateTime;
    std::uint32_t dwHighDateTime;
};

struct SystemTime {
    std::uint16_t wYear;
    std::uint16_t wMonth;
    std::uint16_t wDayOfWeek;
    std::uint16_t wDay;
    std::uint16_t wHour;
    std::uint16_t wMinute;
    std::uint16_t wSecond;
    std::uint16_t wMilliseconds;
};

// One directory-listing entry (WIN32_FIND_DATAA). A record of zero bytes, with
// an empty cFileName, stands for "not found".
struct FindData {
    std::uint32_t dwFileAttributes;
    FileTime ftCreationTime;
    FileTime ftLastAccessTime;
    FileTime ftLastWriteTime;
    std::uint32_t nFileSizeHigh;
    std::uint32_t nFileSizeLow;
    std::uint32_t dwReserved0;
    std::uint32_t dwReserved1;
    char cFileName[kMaxPath];
    char cAlternateFileName[14];
};
