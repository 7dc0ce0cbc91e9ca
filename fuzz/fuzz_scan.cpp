// The whole package selection over an arbitrary save folder, checked against
// the rule restated apart from the core. Input: the add-name on the first line,
// then one folder entry per line: its first byte 'D' for a folder, anything
// else for a file, then its name. The save folder is also the install folder,
// so a kv.exe among the entries is the installed program. The entries are
// scanned twice, the second time in reverse order by the same installer.
#include "fake_platform.h"
#include "fuzz_check.h"
#include "installer.h"
#include <cctype>

namespace {

using Lines = std::vector<std::string>;

std::string Fold(std::string text) {
    for (std::size_t i = 0; i < text.size(); i += IsCp932LeadByte(text[i]) ? 2 : 1)
        text[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    return text;
}

bool WellFormed(const std::string& stem) {
    for (std::size_t i = 0; i < stem.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(stem[i])) && (i != 4 || stem[i] != '_'))
            return false;
    }
    return stem.size() == 9;
}

void ScanAndCheck(CFakePlatform& platform, CInstaller& installer, const Lines& entries,
                  const std::string& addName) {
    platform.files.entries.clear();
    for (const std::string& entry : entries) {
        if (entry[0] == 'D')
            platform.files.AddDirectory("C:\\dl\\" + entry.substr(1));
        else // 2024-02-10 08:05:03 UTC
            platform.files.AddFile("C:\\dl\\" + entry.substr(1), "", {0xD9CD2180, 0x01DA5BF7});
    }
    std::strcpy(installer.m_addName, addName.c_str());
    installer.ScanPackages();

    // Four searches (lzh, zip; the "_." form, the "." form) in listing order: the
    // last file whose stem is a well-formed stamp not below the best wins.
    const std::string* package = nullptr;
    int row = -1;
    std::string best = "1990_0101";
    for (int search = 0; search < 4; ++search) {
        const std::string suffix =
            Fold((search % 2 ? "." : "_.") + std::string(search < 2 ? "lzh" : "zip") + addName);
        for (const std::string& entry : entries) {
            const std::string name = entry.substr(1), folded = Fold(name);
            const std::size_t dot = name.find('.', 2);
            std::string stem = name.substr(2, dot - 2);
            if (search % 2 == 0 && dot != std::string::npos)
                stem = stem.substr(0, stem.empty() ? 0 : stem.size() - 1);
            if (entry[0] != 'D' && 9 + suffix.size() <= 259 && folded.size() >= 2 + suffix.size() &&
                folded.compare(0, 2, "kv") == 0 && WellFormed(stem) && stem >= best &&
                folded.compare(folded.size() - suffix.size(), suffix.size(), suffix) == 0) {
                package = &entry;
                row = search / 2;
                best = stem;
            }
        }
    }
    std::string program;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        program = Fold(*entry).substr(1) == "kv.exe" && (*entry)[0] != 'D' ? *entry : program;

    const SystemTime& time = installer.m_packageTime;
    const int date = package ? std::stoi(best.substr(0, 4) + best.substr(5)) : 0;
    FUZZ_CHECK(platform.openListings == 0 && installer.m_archiver == row);
    FUZZ_CHECK(platform.fields[1003] == (package ? package->substr(1) : ""));
    FUZZ_CHECK(installer.m_packageFind.cFileName == platform.fields[1003]);
    FUZZ_CHECK(time.wYear * 10000 + time.wMonth * 100 + time.wDay == date);
    FUZZ_CHECK(time.wHour + time.wMinute + time.wSecond == (package ? 141 : 0));
    FUZZ_CHECK(installer.m_installedFind.cFileName == program.substr(program.empty() ? 0 : 1));
    FUZZ_CHECK(platform.fields[1004] == (program.empty() ? "" : "2024-02-10 08:05:03"));
}

} // namespace

// A line ends at a line feed or a NUL. Names lose every backslash byte, and
// the add-name its wildcards.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Lines lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' || data[i] == '\0')
            lines.emplace_back();
        else if (data[i] != '\\' && (lines.size() > 1 || (data[i] != '*' && data[i] != '?')))
            lines.back() += static_cast<char>(data[i]);
    }
    const std::string addName = lines[0].substr(0, kMaxPath - 1);
    Lines entries;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > 2) // a name of two bytes or more
            entries.push_back(lines[i].substr(0, kMaxPath));
    }
    CFakePlatform platform;
    CInstaller installer(platform, platform);
    std::strcpy(installer.m_saveDir, "C:\\dl");
    std::strcpy(installer.m_installDir, "C:\\dl");
    ScanAndCheck(platform, installer, entries, addName);
    ScanAndCheck(platform, installer, Lines(entries.rbegin(), entries.rend()), addName);
    return 0;
}
