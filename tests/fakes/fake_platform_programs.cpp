// CFakePlatform: other programs' windows, archiver libraries, and what an
// install does afterwards.
#include "fake_names.h"
#include "fake_platform.h"
#include <cstring>

namespace {

constexpr std::uintptr_t kLibraryHandleStep = 0x10000;

LibraryHandle LibraryHandleOf(std::size_t index) {
    return reinterpret_cast<LibraryHandle>(kLibraryHandleStep * (index + 1));
}

std::size_t LibraryIndexOf(LibraryHandle library) {
    return reinterpret_cast<std::uintptr_t>(library) / kLibraryHandleStep - 1;
}

} // namespace

WindowHandle CFakePlatform::AddWindow(const std::string& title, int listedAfterClose,
                                      bool postFails) {
    WindowHandle handle = reinterpret_cast<WindowHandle>(std::uintptr_t{0x100} * m_nextWindow++);
    windows.push_back({handle, title, listedAfterClose, postFails, false});
    return handle;
}

FakeTopWindow* CFakePlatform::FindWindow(WindowHandle window) {
    for (FakeTopWindow& candidate : windows) {
        if (candidate.handle == window)
            return &candidate;
    }
    return nullptr;
}

// Windows asked to close leave the list at the start of an enumeration once
// they have been listed by their number of enumerations.
bool CFakePlatform::EnumWindows(EnumWindowsCallback callback, void* context) {
    events.push_back("enum");
    std::vector<FakeTopWindow> listed;
    for (FakeTopWindow& window : windows) {
        if (window.closeRequested && window.listedAfterClose == 0)
            continue;
        if (window.closeRequested && window.listedAfterClose > 0)
            --window.listedAfterClose;
        listed.push_back(window);
    }
    windows = listed;
    for (const FakeTopWindow& window : listed) {
        if (!callback(window.handle, context))
            return false;
    }
    return true;
}

int CFakePlatform::GetWindowTextA(WindowHandle window, char* buffer, int size) {
    if (size <= 0)
        return 0;
    const FakeTopWindow* found = FindWindow(window);
    const std::size_t copied =
        found == nullptr ? 0 : found->title.copy(buffer, static_cast<std::size_t>(size) - 1);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

bool CFakePlatform::PostCloseMessage(WindowHandle window) {
    FakeTopWindow* found = FindWindow(window);
    events.push_back("post:" + (found == nullptr ? std::string() : found->title));
    if (found == nullptr || found->postFails)
        return false;
    found->closeRequested = true;
    return true;
}

void CFakePlatform::Sleep(std::uint32_t milliseconds) {
    events.push_back("sleep:" + std::to_string(milliseconds));
    ++sleepCount;
    sleptMilliseconds += milliseconds;
}

LibraryHandle CFakePlatform::LoadLibraryA(const char* name) {
    events.push_back(std::string("load:") + name);
    for (std::size_t i = 0; i < libraries.size(); ++i) {
        if (FoldCase(libraries[i].name) == FoldCase(name)) {
            ++loadedLibraries;
            return LibraryHandleOf(i);
        }
    }
    return nullptr;
}

ArchiverProcAddress CFakePlatform::GetProcAddress(LibraryHandle library, const char* name) {
    events.push_back(std::string("proc:") + name);
    const std::size_t index = LibraryIndexOf(library);
    if (library == nullptr || index >= libraries.size())
        return nullptr;
    const std::vector<std::string>& exports = libraries[index].exports;
    for (std::size_t i = 0; i < exports.size(); ++i) {
        if (exports[i] == name) {
            auto address = reinterpret_cast<ArchiverProcAddress>(
                reinterpret_cast<std::uintptr_t>(library) + 0x10 * (i + 1));
            m_procNames[address] = name;
            return address;
        }
    }
    return nullptr;
}

int CFakePlatform::CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner,
                                    const char* commandLine, char* output,
                                    std::uint32_t outputSize) {
    events.push_back(std::string("call:") + commandLine);
    archiverCalls.push_back({m_procNames[proc], owner, commandLine, outputSize});
    if (outputSize > 0) {
        std::memset(output, 'o', outputSize - 1);
        output[outputSize - 1] = '\0';
    }
    return archiverResult;
}

void CFakePlatform::FreeLibrary(LibraryHandle) {
    events.push_back("free");
    --loadedLibraries;
}

void CFakePlatform::DeleteFileA(const char* path) {
    events.push_back(std::string("delete:") + path);
    const FakeEntry* entry = files.Find(path);
    if (entry != nullptr &&
        (entry->attributes & (kFileAttributeDirectory | kFakeAttributeReadOnly)) == 0)
        files.Remove(path);
}

void CFakePlatform::ShellExecuteA(const char* file, const char* folder) {
    events.push_back(std::string("exec:") + file + "|" + folder);
}
