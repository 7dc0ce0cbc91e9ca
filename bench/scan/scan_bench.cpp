// How much ScanPackages costs beyond the directory listings it cannot avoid:
// a save folder of 10,000 files, a handful of them packages, is scanned with
// the real CWin32Platform, and listed four times with FindFirstFileA and
// FindNextFileA using the scan's own four patterns. The two are timed in
// alternating order over several rounds; the medians and their ratio are
// printed (goal: the scan within 1.1 times the plain listings).
#include "archivers.h"
#include "installer.h"
#include "win32_platform.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int kFileCount = 10000;
const int kRounds = 31;
const double kGoalRatio = 1.1;

const char* const kPackages[] = {"kv2024_0101.lzh",  "kv2024_0301_.lzh", "kv2025_0101.zip",
                                 "kv2025_0301_.zip", "kv2025_0301.zip",  "kv202503011.zip"};
const char kSelected[] = "kv2025_0301.zip";

class CNoWindow : public CInstallerWindow {
  public:
    void ShowFieldText(int, const char*) override {}
    int ShowMessage(const char*, const char*, unsigned) override { return kIdOk; }
    WindowHandle OwnerWindow() override { return nullptr; }
    void EndWithOk() override {}
};

// Names are made exactly as given (POSIX semantics): Wine then need not look
// through the whole folder for the same name in other letter case, which
// would make filling the folder take minutes.
bool CreateEmptyFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_POSIX_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// The save folder: the packages spread among other files, in creation order.
bool FillSaveFolder(const std::string& folder) {
    const int packageCount = sizeof kPackages / sizeof kPackages[0];
    const int spacing = kFileCount / packageCount;
    char name[32];
    for (int i = 0, package = 0; i < kFileCount; ++i) {
        if (i % spacing == spacing / 2 && package < packageCount) {
            std::snprintf(name, sizeof name, "%s", kPackages[package++]);
        } else {
            std::snprintf(name, sizeof name, "download%05d.dat", i);
        }
        if (!CreateEmptyFile(folder + "\\" + name))
            return false;
    }
    return true;
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + entry.cFileName).c_str());
        } while (FindNextFileA(listing, &entry));
        FindClose(listing);
    }
    RemoveDirectoryA(folder.c_str());
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency.QuadPart;
}

// The four listings a scan makes, without looking at the names; returns the
// number of entries listed, so that the work cannot be left out.
int ListLikeTheScan(const std::string& saveDir) {
    static const char* const patterns[] = {"%s\\kv*_.%s%s", "%s\\kv*.%s%s"};
    int listed = 0;
    for (const ArchiverEntry& row : g_archivers) {
        for (const char* pattern : patterns) {
            char text[MAX_PATH];
            std::snprintf(text, sizeof text, pattern, saveDir.c_str(), row.extension, "");
            WIN32_FIND_DATAA entry;
            HANDLE listing = FindFirstFileA(text, &entry);
            if (listing == INVALID_HANDLE_VALUE)
                continue;
            do {
                ++listed;
            } while (FindNextFileA(listing, &entry));
            FindClose(listing);
        }
    }
    return listed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main() {
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return 1;
    const std::string root =
        std::string(temp) + "kvbench_scan" + std::to_string(GetCurrentProcessId());
    const std::string saveDir = root + "\\save";
    const std::string installDir = root + "\\inst";
    if (!CreateDirectoryA(root.c_str(), nullptr) || !CreateDirectoryA(saveDir.c_str(), nullptr) ||
        !CreateDirectoryA(installDir.c_str(), nullptr))
        return 1;

    int status = 0;
    const double fillStart = Now();
    if (!FillSaveFolder(saveDir) || !CreateEmptyFile(installDir + "\\kv.exe")) {
        std::printf("cannot fill %s\n", saveDir.c_str());
        status = 1;
    } else {
        std::printf("save folder: %d files made in %.0f ms\n", kFileCount, Now() - fillStart);
        CWin32Platform platform;
        CNoWindow window;
        CInstaller installer(platform, window);
        std::strcpy(installer.m_saveDir, saveDir.c_str());
        std::strcpy(installer.m_installDir, installDir.c_str());

        std::vector<double> scanTimes, listTimes;
        int listed = 0;
        for (int round = -1; round < kRounds; ++round) { // round -1 warms up
            double scanTime = 0, listTime = 0;
            for (int turn = 0; turn < 2; ++turn) {
                const bool scanTurn = (turn == 0) == (round % 2 == 0);
                const double start = Now();
                if (scanTurn)
                    installer.ScanPackages();
                else
                    listed = ListLikeTheScan(saveDir);
                (scanTurn ? scanTime : listTime) = Now() - start;
            }
            if (round >= 0) {
                scanTimes.push_back(scanTime);
                listTimes.push_back(listTime);
            }
        }
        if (std::strcmp(installer.m_packageFind.cFileName, kSelected) != 0) {
            std::printf("the scan selected \"%s\", not %s\n", installer.m_packageFind.cFileName,
                        kSelected);
            status = 1;
        }
        const double scanMedian = Median(scanTimes), listMedian = Median(listTimes);
        const double ratio = scanMedian / listMedian;
        std::printf("%d rounds over %d files (%d names listed per round), ms:\n", kRounds,
                    kFileCount, listed);
        for (int round = 0; round < kRounds; ++round)
            std::printf("  round %2d  scan %7.2f  listings %7.2f\n", round, scanTimes[round],
                        listTimes[round]);
        std::printf("ScanPackages:            median %8.2f ms\n", scanMedian);
        std::printf("4 FindFirstFileA passes: median %8.2f ms\n", listMedian);
        std::printf("ratio %.3f (goal <= %.1f): %s\n", ratio, kGoalRatio,
                    ratio <= kGoalRatio ? "met" : "NOT met");
    }
    RemoveFolder(saveDir);
    RemoveFolder(installDir);
    RemoveDirectoryA(root.c_str());
    return status;
}
