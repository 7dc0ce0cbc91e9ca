#include "hardening_platform.h"
#include <windows.h>

std::uint32_t CHardeningPlatform::GetModuleFileNameA(char* buffer, std::uint32_t size) {
    if (size == 0)
        return 0;
    const std::size_t copied = m_modulePath.copy(buffer, size - 1);
    buffer[copied] = '\0';
    return m_modulePath.size() < size ? static_cast<std::uint32_t>(copied) : size;
}

FindHandle CHardeningPlatform::FindFirstFileA(const char* pattern, FindData* data) {
    patterns.push_back(pattern);
    FindHandle handle = CWin32Platform::FindFirstFileA(pattern, data);
    if (handle != kInvalidFindHandle)
        ++listedEntries;
    return handle;
}

bool CHardeningPlatform::FindNextFileA(FindHandle handle, FindData* data) {
    bool more = CWin32Platform::FindNextFileA(handle, data);
    if (more)
        ++listedEntries;
    return more;
}

int CHardeningPlatform::CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner,
                                         const char* commandLine, char* output,
                                         std::uint32_t outputSize) {
    commandLines.push_back(commandLine);
    outputSizes.push_back(outputSize);
    const std::uint32_t page = 4096;
    if (outputSize > page)
        return CWin32Platform::CallArchiverProc(proc, owner, commandLine, output, outputSize);
    // Two pages, the second one inaccessible; the buffer ends where it begins.
    char* pages = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(pages + page, page, PAGE_NOACCESS, &old);
    char* guarded = pages + page - outputSize;
    std::memcpy(guarded, output, outputSize);
    int result = CWin32Platform::CallArchiverProc(proc, owner, commandLine, guarded, outputSize);
    outputBytesWritten = 0;
    for (std::uint32_t i = 0; i < outputSize; ++i)
        outputBytesWritten += guarded[i] != output[i];
    std::memcpy(output, guarded, outputSize);
    VirtualFree(pages, 0, MEM_RELEASE);
    return result;
}

bool GuardedInstaller::Intact() const {
    for (unsigned char byte : front)
        if (byte != kGuardByte)
            return false;
    for (unsigned char byte : back)
        if (byte != kGuardByte)
            return false;
    return true;
}

::testing::AssertionResult WellFormed(const GuardedInstaller& guarded) {
    const CInstaller& installer = guarded.installer;
    const char* const texts[] = {installer.m_installDir, installer.m_saveDir, installer.m_addName,
                                 installer.m_packageFind.cFileName,
                                 installer.m_installedFind.cFileName};
    for (const char* text : texts)
        if (std::memchr(text, '\0', kMaxPath) == nullptr)
            return ::testing::AssertionFailure() << "a text is not terminated within 260 bytes";
    if (!guarded.Intact())
        return ::testing::AssertionFailure() << "a write went past the installer's state";
    if (installer.m_archiver < -1 || installer.m_archiver > 1)
        return ::testing::AssertionFailure() << "archiver row " << installer.m_archiver;
    return ::testing::AssertionSuccess();
}
