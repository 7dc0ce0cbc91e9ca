// What "Install" does: refuse without a package, ask before putting an older
// package over a newer program, close the running viewer, unpack through the
// archiver library, then delete the package and start kv.exe as configured.
#include "archivers.h"
#include "installer.h"
#include "messages.h"
#include "quote.h"
#include "text.h"
#include <cstdio>
#include <cstring>

namespace {

int CompareTimes(const SystemTime& a, const SystemTime& b) {
    const std::uint16_t left[] = {a.wYear, a.wMonth, a.wDay, a.wHour, a.wMinute, a.wSecond};
    const std::uint16_t right[] = {b.wYear, b.wMonth, b.wDay, b.wHour, b.wMinute, b.wSecond};
    for (int i = 0; i < 6; ++i) {
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
    }
    return 0;
}

} // namespace

CInstaller::CInstaller(CPlatform& platform, CInstallerWindow& window)
    : m_installDir(), m_saveDir(), m_addName(), m_installedFind(), m_packageFind(), m_packageTime(),
      m_installedTime(), m_deleteFile(0), m_quitApp(0), m_executeApp(0), m_archiver(-1),
      m_settingsLoaded(false), m_platform(platform), m_window(window) {}

// Every path is formed before anything is touched: one that does not fit its
// buffer refuses the install, since a cut path could unpack or start the wrong
// thing. The archiver may pump messages while it works: the package deleted
// after its call is the one named before it, whatever happened meanwhile.
bool CInstaller::FormInstallPaths(InstallPaths& paths) {
    std::snprintf(paths.package, sizeof paths.package, "%s\\%s", m_saveDir,
                  m_packageFind.cFileName);
    const char* tooLong = nullptr;
    if (!FormatFits(paths.archive, "%s\\%s", m_saveDir, m_packageFind.cFileName) ||
        !QuoteIfSpaced(paths.archive))
        tooLong = m_saveDir;
    else if (!FormatFits(paths.destination, "%s\\", m_installDir) ||
             !QuoteIfSpaced(paths.destination) ||
             !FormatFits(paths.program, "%s\\kv.exe", m_installDir) ||
             !FormatFits(paths.programFolder, "%s\\", m_installDir))
        tooLong = m_installDir;
    if (tooLong == nullptr)
        return true;
    char message[kMaxPath + 64];
    std::snprintf(message, sizeof message, kFmtPathTooLong, tooLong);
    m_window.ShowMessage(message, nullptr, kMbOk);
    return false;
}

bool CInstaller::AgeCheckAllows() {
    if (m_installedFind.cFileName[0] == '\0' || CompareTimes(m_installedTime, m_packageTime) <= 0)
        return true;
    return m_window.ShowMessage(kMsgOverwriteOlder, kCaptionConfirm, kMbOkCancel) == kIdOk;
}

// Closing the viewer (when set) and the archiver's call: the part that cannot
// answer Windows. Gives the call's result, or leaves a message in message and
// gives -1 when it did not come to the call.
int CInstaller::Unpack(const InstallPaths& paths, char (&message)[kMaxPath]) {
    if (m_quitApp != 0 && !CloseRunningApp()) {
        std::snprintf(message, sizeof message, "%s", kMsgAppNotClosed);
        return -1;
    }
    const ArchiverEntry& archiver = g_archivers[m_archiver];
    LibraryHandle library = m_platform.LoadLibraryA(archiver.dllName);
    if (library == nullptr) {
        std::snprintf(message, sizeof message, kFmtLibraryNotLoaded, archiver.dllName);
        return -1;
    }
    ArchiverProcAddress proc = m_platform.GetProcAddress(library, archiver.entryName);
    if (proc == nullptr) {
        m_platform.FreeLibrary(library);
        std::snprintf(message, sizeof message, kFmtEntryNotFound, archiver.dllName,
                      archiver.entryName);
        return -1;
    }
    char commandLine[1000];
    std::snprintf(commandLine, sizeof commandLine, "%s %s %s", archiver.command, paths.archive,
                  paths.destination);
    char output[500] = {};
    int result = m_platform.CallArchiverProc(proc, m_window.OwnerWindow(), commandLine, output,
                                             sizeof output);
    m_platform.FreeLibrary(library);
    return result;
}

// The settings accepted in this run reach the file before the part that
// cannot answer: Windows may end a program that does not respond, a library
// may crash, and the file would then keep the old ones. While that part runs
// the end of the session is refused, so that the session cannot end halfway
// through the unpacking; a message box after it lets the session end again.
void CInstaller::Install() {
    if (m_packageFind.cFileName[0] == '\0') {
        m_window.ShowMessage(kMsgNoPackage, nullptr, kMbOk);
        return;
    }
    InstallPaths paths;
    if (!FormInstallPaths(paths) || !AgeCheckAllows())
        return;
    SaveSettings();
    char message[kMaxPath] = "";
    m_platform.ShutdownBlockReasonCreate(m_window.OwnerWindow(), kMsgInstalling);
    int result = Unpack(paths, message);
    m_platform.ShutdownBlockReasonDestroy(m_window.OwnerWindow());
    if (message[0] != '\0')
        m_window.ShowMessage(message, nullptr, kMbOk);
    if (result != 0)
        return;

    if (m_deleteFile != 0)
        m_platform.DeleteFileA(paths.package);
    if (m_executeApp != 0)
        m_platform.ShellExecuteA(paths.program, paths.programFolder);
    m_window.EndWithOk();
}
