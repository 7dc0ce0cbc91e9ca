#include "inside_probe.h"
#include "inside_probe_protocol.h"
#include "test_world.h"
#include "wait.h"
#include <fstream>

namespace {

bool ParseMenuEntry(const std::string& value, MenuEntry& entry) {
    size_t firstTab = value.find('\t');
    size_t secondTab = firstTab == std::string::npos ? firstTab : value.find('\t', firstTab + 1);
    if (secondTab == std::string::npos)
        return false;
    entry.id = static_cast<UINT>(std::stoul(value.substr(0, firstTab)));
    entry.separator = value.compare(firstTab + 1, secondTab - firstTab - 1, "separator") == 0;
    entry.text = value.substr(secondTab + 1);
    return true;
}

InsideFacts ParseFacts(const std::string& path) {
    InsideFacts facts;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string key = line.substr(0, equals);
        std::string value = line.substr(equals + 1);
        MenuEntry entry;
        if (key == "bigIcon")
            facts.hasBigIcon = value == "1";
        else if (key == "smallIcon")
            facts.hasSmallIcon = value == "1";
        else if (key == "menu" && ParseMenuEntry(value, entry))
            facts.systemMenu.push_back(entry);
    }
    return facts;
}

} // namespace

bool ReadInsideFacts(HWND window, DWORD threadId, const std::string& outputPath, InsideFacts& facts,
                     DWORD timeoutMs) {
    HMODULE probe = ::LoadLibraryA(BesideProgram(kInsideProbeDll).c_str());
    if (probe == nullptr)
        return false;
    // Through a pointer of no function type, as GetProcAddress's result must go.
    auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(::GetProcAddress(probe, kInsideProbeHookName)));
    HHOOK handle =
        hook != nullptr ? ::SetWindowsHookExA(WH_GETMESSAGE, hook, probe, threadId) : nullptr;
    ATOM name = ::GlobalAddAtomA(outputPath.c_str());
    ::DeleteFileA(outputPath.c_str());
    bool answered = false;
    if (handle != nullptr && name != 0) {
        ::PostMessageA(window, ::RegisterWindowMessageA(kInsideProbeMessage), name, 0);
        answered = WaitUntil(
            [&] { return ::GetFileAttributesA(outputPath.c_str()) != INVALID_FILE_ATTRIBUTES; },
            timeoutMs);
    }
    if (name != 0)
        ::GlobalDeleteAtom(name);
    if (handle != nullptr)
        ::UnhookWindowsHookEx(handle);
    ::FreeLibrary(probe);
    if (answered)
        facts = ParseFacts(outputPath);
    return answered;
}
