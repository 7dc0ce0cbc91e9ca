// Finds the newest package in the save folder and the installed kv.exe.
#include "archivers.h"
#include "installer.h"
#include "stamp.h"
#include "text.h"
#include <cstdio>
#include <cstring>

namespace {

const char* const kPatterns[] = {"%s\\kv*_.%s%s", "%s\\kv*.%s%s"};

bool IsCandidate(const FindData& entry) {
    return (entry.dwFileAttributes & kFileAttributeDirectory) == 0 &&
           std::strlen(entry.cFileName) > 2;
}

int TwoDigits(const char* text) {
    return (text[0] - '0') * 10 + (text[1] - '0');
}

} // namespace

void CInstaller::ScanPackages() {
    m_window.ShowFieldText(kIdcInstallDir, m_installDir);
    m_window.ShowFieldText(kIdcSaveDir, m_saveDir);
    std::memset(&m_installedFind, 0, sizeof m_installedFind);
    std::memset(&m_packageFind, 0, sizeof m_packageFind);
    char bestStamp[kStampLength + 1];
    std::memcpy(bestStamp, kBaselineStamp, sizeof bestStamp);
    m_archiver = -1;

    for (int row = 0; row < kArchiverCount; ++row) {
        SearchPackages(row, kUnderscorePattern, bestStamp);
        SearchPackages(row, kPlainPattern, bestStamp);
    }
    FindInstalledProgram();

    m_window.ShowFieldText(kIdcPackageName, m_packageFind.cFileName);
    SetPackageTime(bestStamp);
    SetInstalledTime();
}

// A save folder and add-name too long for the 260-byte pattern skip the search:
// a cut pattern would look in the wrong place.
void CInstaller::SearchPackages(int row, int pattern, char (&bestStamp)[kStampLength + 1]) {
    char patternText[kMaxPath];
    if (!FormatFits(patternText, kPatterns[pattern], m_saveDir, g_archivers[row].extension,
                    m_addName))
        return;
    FindData entry;
    FindHandle listing = m_platform.FindFirstFileA(patternText, &entry);
    if (listing == kInvalidFindHandle)
        return;
    do {
        entry.cFileName[kMaxPath - 1] = '\0';
        if (!IsCandidate(entry))
            continue;
        char stem[kMaxPath];
        ExtractStem(entry.cFileName, pattern, stem);
        if (IsNewerStamp(bestStamp, stem)) {
            m_packageFind = entry;
            m_archiver = row;
        }
    } while (m_platform.FindNextFileA(listing, &entry));
    m_platform.FindClose(listing);
}

// An install folder too long for "%s\kv.exe" counts as no installed program.
void CInstaller::FindInstalledProgram() {
    char path[kMaxPath];
    if (!FormatFits(path, "%s\\kv.exe", m_installDir))
        return;
    FindData entry;
    FindHandle listing = m_platform.FindFirstFileA(path, &entry);
    if (listing == kInvalidFindHandle)
        return;
    do {
        if ((entry.dwFileAttributes & kFileAttributeDirectory) == 0) {
            entry.cFileName[kMaxPath - 1] = '\0';
            m_installedFind = entry;
            break;
        }
    } while (m_platform.FindNextFileA(listing, &entry));
    m_platform.FindClose(listing);
}

// The package stands for the last second of its stamp's day. Month and day are
// taken as written, not checked against the calendar.
void CInstaller::SetPackageTime(const char* bestStamp) {
    std::memset(&m_packageTime, 0, sizeof m_packageTime);
    if (m_packageFind.cFileName[0] == '\0')
        return;
    m_packageTime.wYear =
        static_cast<std::uint16_t>(TwoDigits(bestStamp) * 100 + TwoDigits(bestStamp + 2));
    m_packageTime.wMonth = static_cast<std::uint16_t>(TwoDigits(bestStamp + 5));
    m_packageTime.wDay = static_cast<std::uint16_t>(TwoDigits(bestStamp + 7));
    m_packageTime.wHour = 23;
    m_packageTime.wMinute = 59;
    m_packageTime.wSecond = 59;
}

void CInstaller::SetInstalledTime() {
    std::memset(&m_installedTime, 0, sizeof m_installedTime);
    FileTime local;
    if (m_installedFind.cFileName[0] == '\0' ||
        !m_platform.FileTimeToLocalFileTime(&m_installedFind.ftLastWriteTime, &local) ||
        !m_platform.FileTimeToSystemTime(&local, &m_installedTime)) {
        std::memset(&m_installedTime, 0, sizeof m_installedTime);
        m_window.ShowFieldText(kIdcInstalledDate, "");
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", m_installedTime.wYear,
                  m_installedTime.wMonth, m_installedTime.wDay, m_installedTime.wHour,
                  m_installedTime.wMinute, m_installedTime.wSecond);
    m_window.ShowFieldText(kIdcInstalledDate, text);
}
