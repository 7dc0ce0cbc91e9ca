// The whole package selection over an arbitrary save folder, on the in-memory
// platform of tests/fakes. The first line of the input is the add-name; every
// further line creates one entry of the folder, a directory when its first
// byte is 'D', a file otherwise, named by the rest of the line. The folder is
// also the install folder, so a kv.exe among the entries is the installed
// program. ScanPackages runs once, and again on the same installer after the
// folder was refilled in reverse order; each result is checked against the
// rule restated below.
#include "check.h"
#include "fake_platform.h"
#include "fake_window.h"
#include "input_lines.h"
#include "installer.h"
#include "stamp_oracle.h"
#include <cstring>

namespace {

const char kFolder[] = "C:\\dl";
const FileTime kWritten = {0xD9CD2180, 0x01DA5BF7}; // 2024-02-10 08:05:03 UTC
const char kWrittenText[] = "2024-02-10 08:05:03";

struct Entry {
    std::string name;
    bool directory;
};

bool IsLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t WidthAt(const std::string& text, std::size_t i) {
    return IsLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Names match regardless of the case of single-byte letters; the second byte
// of a double-byte character is data.
std::string Fold(std::string text) {
    for (std::size_t i = 0; i < text.size(); i += WidthAt(text, i)) {
        if (text[i] >= 'A' && text[i] <= 'Z')
            text[i] = static_cast<char>(text[i] - 'A' + 'a');
    }
    return text;
}

bool IsCharacterStart(const std::string& text, std::size_t at) {
    std::size_t i = 0;
    while (i < at)
        i += WidthAt(text, i);
    return i == at;
}

// Drops single-byte characters the folder cannot hold in a name ('\\'), or that
// would make the add-name a wildcard ('*', '?'); a 0x5C trail byte stays.
std::string Usable(const std::string& text, const char* refused) {
    std::string usable;
    for (std::size_t i = 0; i < text.size(); i += WidthAt(text, i)) {
        if (WidthAt(text, i) == 2 || std::strchr(refused, text[i]) == nullptr)
            usable.append(text, i, WidthAt(text, i));
    }
    return usable;
}

// The folder's entries in creation order; a name equal to an earlier one
// regardless of case replaces that entry in its place.
std::vector<Entry> FolderOf(const std::vector<Entry>& created) {
    std::vector<Entry> folder;
    for (const Entry& entry : created) {
        bool replaced = false;
        for (Entry& existing : folder) {
            if (Fold(existing.name) == Fold(entry.name)) {
                existing = entry;
                replaced = true;
            }
        }
        if (!replaced)
            folder.push_back(entry);
    }
    return folder;
}

// "kv*<suffix>": '*' takes whole characters, so the suffix starts on one.
bool Listed(const std::string& name, const std::string& suffix) {
    const std::string folded = Fold(name);
    const std::string tail = Fold(suffix);
    if (folded.size() < 2 + tail.size() || folded.compare(0, 2, "kv") != 0)
        return false;
    const std::size_t start = folded.size() - tail.size();
    return folded.compare(start, tail.size(), tail) == 0 && IsCharacterStart(folded, start);
}

struct Selection {
    const Entry* package = nullptr;
    int row = -1;
    std::string stamp = "1990_0101";
};

// Four searches, lzh then zip, each the underscore form then the plain form, each
// in folder order; a file whose stem is a well-formed stamp not below the best
// so far becomes the selection.
Selection Select(const std::vector<Entry>& folder, const std::string& addName) {
    Selection selection;
    const char* const extensions[] = {"lzh", "zip"};
    for (int row = 0; row < 2; ++row) {
        for (int pattern = 0; pattern < 2; ++pattern) {
            const std::string suffix =
                (pattern == 0 ? "_." : ".") + std::string(extensions[row]) + addName;
            // "<folder>\kv*<suffix>" must fit 259 bytes, or the search is skipped.
            if (std::strlen(kFolder) + 4 + suffix.size() > 259)
                continue;
            for (const Entry& entry : folder) {
                if (!Listed(entry.name, suffix) || entry.directory || entry.name.size() <= 2)
                    continue;
                const std::string stem = OracleStem(entry.name, pattern);
                if (OracleWellFormedStamp(stem) && OracleNotBelow(stem, selection.stamp)) {
                    selection.package = &entry;
                    selection.row = row;
                    selection.stamp = stem;
                }
            }
        }
    }
    return selection;
}

const Entry* InstalledProgram(const std::vector<Entry>& folder) {
    for (const Entry& entry : folder) {
        if (Fold(entry.name) == "kv.exe" && !entry.directory)
            return &entry;
    }
    return nullptr;
}

// The text the scan last put into a display field; every scan sets all four.
const std::string& Field(const CFakeWindow& window, int controlId) {
    const auto field = window.fields.find(controlId);
    FUZZ_CHECK(field != window.fields.end());
    return field->second;
}

bool IsZero(const SystemTime& time) {
    return time.wYear == 0 && time.wMonth == 0 && time.wDayOfWeek == 0 && time.wDay == 0 &&
           time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0 && time.wMilliseconds == 0;
}

void CheckScan(const std::vector<Entry>& created, const CFakePlatform& platform,
               const CFakeWindow& window, const CInstaller& installer, const std::string& addName) {
    const std::vector<Entry> folder = FolderOf(created);
    const Selection expected = Select(folder, addName);
    FUZZ_CHECK(platform.OpenListings() == 0);
    FUZZ_CHECK(Field(window, kIdcInstallDir) == kFolder);
    FUZZ_CHECK(Field(window, kIdcSaveDir) == kFolder);
    FUZZ_CHECK(window.messages.empty() && window.endCount == 0);

    const Entry* program = InstalledProgram(folder);
    FUZZ_CHECK(installer.m_installedFind.cFileName == (program ? program->name : std::string()));
    FUZZ_CHECK(Field(window, kIdcInstalledDate) == (program ? kWrittenText : ""));
    FUZZ_CHECK(program != nullptr || IsZero(installer.m_installedTime));

    FUZZ_CHECK(installer.m_archiver == expected.row);
    const SystemTime& time = installer.m_packageTime;
    if (expected.package == nullptr) {
        FUZZ_CHECK(installer.m_packageFind.cFileName[0] == '\0');
        FUZZ_CHECK(installer.m_packageFind.dwFileAttributes == 0);
        FUZZ_CHECK(Field(window, kIdcPackageName).empty());
        FUZZ_CHECK(IsZero(time));
        return;
    }
    FUZZ_CHECK(installer.m_packageFind.cFileName == expected.package->name);
    FUZZ_CHECK(installer.m_packageFind.dwFileAttributes == kFakeAttributeArchive);
    FUZZ_CHECK(Field(window, kIdcPackageName) == expected.package->name);
    FUZZ_CHECK(time.wYear == std::stoi(expected.stamp.substr(0, 4)));
    FUZZ_CHECK(time.wMonth == std::stoi(expected.stamp.substr(5, 2)));
    FUZZ_CHECK(time.wDay == std::stoi(expected.stamp.substr(7, 2)));
    FUZZ_CHECK(time.wHour == 23 && time.wMinute == 59 && time.wSecond == 59);
    FUZZ_CHECK(time.wDayOfWeek == 0 && time.wMilliseconds == 0);
}

void Fill(CFakePlatform& platform, const std::vector<Entry>& created) {
    for (const Entry& entry : created) {
        const std::string path = std::string(kFolder) + "\\" + entry.name;
        if (entry.directory)
            platform.files.AddDirectory(path);
        else
            platform.files.AddFile(path, "", kWritten);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = SplitLines(data, size);
    const std::string addName = Usable(lines[0], "*?\\").substr(0, kMaxPath - 1);
    std::vector<Entry> created;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string name = lines[i].empty() ? "" : Usable(lines[i].substr(1), "\\");
        if (!name.empty()) // no entry has an empty name
            created.push_back({name.substr(0, kMaxPath - 1), lines[i][0] == 'D'});
    }

    CFakePlatform platform;
    CFakeWindow window(platform.events);
    platform.files.AddDirectory(kFolder);
    Fill(platform, created);
    CInstaller installer(platform, window);
    std::strcpy(installer.m_saveDir, kFolder);
    std::strcpy(installer.m_installDir, kFolder);
    std::memcpy(installer.m_addName, addName.c_str(), addName.size() + 1);

    installer.ScanPackages();
    CheckScan(created, platform, window, installer, addName);

    // A second scan must forget the first one's result.
    for (const Entry& entry : created)
        platform.files.Remove(std::string(kFolder) + "\\" + entry.name);
    const std::vector<Entry> reversed(created.rbegin(), created.rend());
    Fill(platform, reversed);
    window.fields.clear();
    installer.ScanPackages();
    CheckScan(reversed, platform, window, installer, addName);
    return 0;
}
