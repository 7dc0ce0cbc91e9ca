// kvinst.ini beside the executable, section INSTDATA: read once at start,
// written once when the main dialog goes away.
#include "installer.h"
#include "text.h"
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

const char kSection[] = "INSTDATA";

// atoi's rule (leading white space, optional sign, digits up to the first
// other byte, 0 without digits), but a number outside the 32-bit range reads
// as the nearest 32-bit value instead of being undefined.
std::int32_t ParseIntSetting(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

bool GetModuleDir(CPlatform& platform, char (&dir)[kMaxPath]) {
    std::uint32_t length = platform.GetModuleFileNameA(dir, kMaxPath);
    if (length == 0 || length >= kMaxPath) {
        dir[0] = '\0';
        return false;
    }
    char* last = FindLastBackslash(dir, [&](unsigned char c) { return platform.IsLeadByte(c); });
    if (last != nullptr)
        *last = '\0';
    return true;
}

// The value buffers are cleared before each read: a value cut inside a
// double-byte character can come back counted up to the buffer's end with
// the character's bytes not written (Wine does so), and a stale byte there,
// such as a digit of the key read before, would become part of the value.
std::int32_t ReadIntSetting(CPlatform& platform, const char* section, const char* key,
                            std::int32_t defaultValue, const char* fileName) {
    char defaultText[100];
    std::snprintf(defaultText, sizeof defaultText, "%d", static_cast<int>(defaultValue));
    char value[500] = {};
    platform.GetPrivateProfileStringA(section, key, defaultText, value, sizeof value, fileName);
    value[sizeof value - 1] = '\0';
    return ParseIntSetting(value);
}

bool WriteIntSetting(CPlatform& platform, const char* section, const char* key, std::int32_t value,
                     const char* fileName) {
    char text[500];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return platform.WritePrivateProfileStringA(section, key, text, fileName);
}

// The settings file's path, or false when the executable's folder is unknown or
// so long (over 248 bytes) that the path would not fit: the installer then runs
// on the defaults and leaves no file behind.
bool CInstaller::SettingsPath(char (&path)[kMaxPath]) {
    char dir[kMaxPath];
    return GetModuleDir(m_platform, dir) && FormatFits(path, "%s\\kvinst.ini", dir);
}

void CInstaller::LoadSettings() {
    m_settingsLoaded = true;
    char path[kMaxPath];
    if (!SettingsPath(path)) {
        m_installDir[0] = m_saveDir[0] = m_addName[0] = '\0';
        m_deleteFile = 0;
        m_quitApp = 1;
        m_executeApp = 1;
        return;
    }
    char* const texts[] = {m_installDir, m_saveDir, m_addName};
    const char* const keys[] = {"InstallDirectory", "SaveDirectory", "AddName"};
    for (int i = 0; i < 3; ++i) {
        std::memset(texts[i], 0, kMaxPath);
        m_platform.GetPrivateProfileStringA(kSection, keys[i], "", texts[i], kMaxPath, path);
        texts[i][kMaxPath - 1] = '\0';
    }
    m_deleteFile = ReadIntSetting(m_platform, kSection, "DeleteFile", 0, path);
    m_quitApp = ReadIntSetting(m_platform, kSection, "QuitKv", 1, path);
    m_executeApp = ReadIntSetting(m_platform, kSection, "ExecuteKv", 1, path);
}

void CInstaller::SaveSettings() {
    char path[kMaxPath];
    if (!m_settingsLoaded || !SettingsPath(path))
        return;
    m_platform.WritePrivateProfileStringA(kSection, "InstallDirectory", m_installDir, path);
    m_platform.WritePrivateProfileStringA(kSection, "SaveDirectory", m_saveDir, path);
    m_platform.WritePrivateProfileStringA(kSection, "AddName", m_addName, path);
    WriteIntSetting(m_platform, kSection, "DeleteFile", m_deleteFile, path);
    WriteIntSetting(m_platform, kSection, "QuitKv", m_quitApp, path);
    WriteIntSetting(m_platform, kSection, "ExecuteKv", m_executeApp, path);
}
