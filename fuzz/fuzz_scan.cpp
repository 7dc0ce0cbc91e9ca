// The whole package selection over an arbitrary save folder, checked against
// the rule restated apart from the core. Input: the add-name on the first line,
// then one folder entry per line, a folder when it starts with 'D', a file
// otherwise, named by the rest of the line. The save folder is also the install
// folder, so a kv.exe among the entries is the installed program. A second
// scan over the entries in reverse order must forget the first one's result.
#include "fake_platform.h"
#include "fuzz_check.h"
#include "installer.h"
#include <cctype>
#include <cstring>

namespace {

const char kFolder[] = "C:\\dl";

struct Entry {
    std::string name;
    bool folder;
};

std::string Fold(std::string text) {
    for (std::size_t i = 0; i < text.size(); i += IsCp932LeadByte(text[i]) ? 2 : 1)
        text[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    return text;
}

bool WellFormed(const std::string& stem) {
    for (std::size_t i = 0; i < stem.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(stem[i])) && !(i == 4 && stem[i] == '_'))
            return false;
    }
    return stem.size() == 9;
}

struct World {
    CFakePlatform platform;
    CFakeWindow window{platform.log};
    CInstaller installer{platform, window};
};

void ScanAndCheck(World& world, const std::vector<Entry>& entries, const std::string& addName) {
    CFakePlatform& platform = world.platform;
    CInstaller& installer = world.installer;
    std::map<int, std::string>& fields = world.window.fields;
    platform.files.entries.clear();
    for (const Entry& entry : entries) {
        const std::string path = std::string(kFolder) + "\\" + entry.name;
        entry.folder ? platform.files.AddDirectory(path)
                     : platform.files.AddFile(path, "", {0xD9CD2180, 0x01DA5BF7});
    }
    std::strcpy(installer.m_saveDir, kFolder);
    std::strcpy(installer.m_installDir, kFolder);
    std::strcpy(installer.m_addName, addName.c_str());
    installer.ScanPackages();

    // Four searches (lzh, zip; underscore form, plain form) in listing order:
    // the last file whose stem is a well-formed stamp not below the best wins.
    const Entry* package = nullptr;
    int row = -1;
    std::string best = "1990_0101";
    for (int search = 0; search < 4; ++search) {
        const std::string suffix =
            Fold((search % 2 ? "." : "_.") + std::string(search < 2 ? "lzh" : "zip") + addName);
        for (const Entry& entry : entries) {
            const std::string name = Fold(entry.name);
            if (entry.folder || std::strlen(kFolder) + 4 + suffix.size() > 259 ||
                name.size() < 2 + suffix.size() || name.compare(0, 2, "kv") != 0 ||
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
                continue;
            std::string stem = entry.name.substr(2, entry.name.find('.', 2) - 2);
            if (search % 2 == 0 && entry.name.find('.', 2) != std::string::npos)
                stem = stem.substr(0, stem.empty() ? 0 : stem.size() - 1);
            if (WellFormed(stem) && stem >= best) {
                package = &entry;
                row = search / 2;
                best = stem;
            }
        }
    }
    const Entry* program = nullptr;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        program = Fold(entry->name) == "kv.exe" && !entry->folder ? &*entry : program;

    FUZZ_CHECK(platform.openListings == 0);
    FUZZ_CHECK(installer.m_archiver == row);
    FUZZ_CHECK(fields[1003] == (package ? package->name : ""));
    FUZZ_CHECK(installer.m_packageFind.cFileName == fields[1003]);
    const SystemTime& time = installer.m_packageTime;
    const int date = package ? std::stoi(best.substr(0, 4) + best.substr(5)) : 0;
    FUZZ_CHECK(time.wYear * 10000 + time.wMonth * 100 + time.wDay == date);
    FUZZ_CHECK(time.wHour + time.wMinute + time.wSecond == (package ? 141 : 0));
    FUZZ_CHECK(installer.m_installedFind.cFileName == (program ? program->name : ""));
    FUZZ_CHECK(fields[1004] == (program ? "2024-02-10 08:05:03" : ""));
}

} // namespace

// Names lose the bytes a folder entry or an add-name cannot hold; every line
// ends at a line feed or a NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' || data[i] == '\0')
            lines.emplace_back();
        else if (data[i] != '\\' && (lines.size() > 1 || (data[i] != '*' && data[i] != '?')))
            lines.back() += static_cast<char>(data[i]);
    }
    std::vector<Entry> entries;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > 1)
            entries.push_back({lines[i].substr(1, kMaxPath - 1), lines[i][0] == 'D'});
    }
    World world;
    const std::string addName = lines[0].substr(0, kMaxPath - 1);
    ScanAndCheck(world, entries, addName);
    ScanAndCheck(world, std::vector<Entry>(entries.rbegin(), entries.rend()), addName);
    return 0;
}
