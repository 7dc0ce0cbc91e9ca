// The whole package selection against the rule restated apart from the core. Input lines:
// the add-name, then entries ('D' for a folder, else a file, and the name), scanned twice.
#include "fake_platform.h"
#include <cctype>
#include <cstdlib>

#define FUZZ_CHECK(condition) ((condition) ? void() : std::abort()) // the input is kept

static void ScanAndCheck(CFakePlatform& fake, CInstaller& in,
                         const std::vector<std::string>& entries) {
    fake.files.clear();
    for (const std::string& entry : entries)
        fake.files.push_back({"C:\\dl\\" + entry.substr(1), entry[0] == 'D' ? 0x10u : 0x21u, {}});
    in.ScanPackages();

    // Four searches (lzh, zip; the "_." form, the "." form), each in listing
    // order: the last file whose stem is a well-formed stamp not below the best wins.
    std::string best = "1990_0101", package;
    int row = -1;
    for (int search = 0; search < 4; ++search) {
        const std::string suffix = Fold((search % 2 ? "." : "_.") +
                                        std::string(search < 2 ? "lzh" : "zip") + in.m_addName);
        for (const std::string& entry : entries) {
            const std::string name = entry.substr(1), folded = Fold(name);
            const std::size_t dot = name.find('.', 2),
                              cut = search % 2 == 0 && dot > 2 && dot != name.npos;
            const std::string stem = name.substr(2, dot - 2 - cut);
            bool accepted =
                stem.size() == 9 && stem >= best && entry[0] != 'D' && 9 + suffix.size() <= 259 &&
                folded.size() >= 2 + suffix.size() && folded.compare(0, 2, "kv") == 0 &&
                folded.compare(folded.size() - suffix.size(), suffix.size(), suffix) == 0;
            for (std::size_t i = 0; i < stem.size(); ++i)
                accepted &=
                    std::isdigit(static_cast<unsigned char>(stem[i])) || (i == 4 && stem[i] == '_');
            if (accepted)
                package = name, row = search / 2, best = stem;
        }
    }
    const SystemTime& time = in.m_packageTime;
    FUZZ_CHECK(fake.openListings == 0 && in.m_archiver == row);
    FUZZ_CHECK(fake.fields[1003] == package && in.m_packageFind.cFileName == package);
    FUZZ_CHECK(time.wYear * 10000 + time.wMonth * 100 + time.wDay + time.wHour + time.wMinute +
                   time.wSecond ==
               (row < 0 ? 0 : std::stoi(best.substr(0, 4) + best.substr(5)) + 141));
}

// A line ends at a line feed or a NUL; names lose their backslashes, the
// add-name its wildcards.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1), entries;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' || data[i] == '\0')
            lines.emplace_back();
        else if (data[i] != '\\' && (lines.size() > 1 || (data[i] != '*' && data[i] != '?')))
            lines.back() += static_cast<char>(data[i]);
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > 2 && lines[i].size() <= kMaxPath) // names of 2 to 259 bytes
            entries.push_back(lines[i]);
    }
    CFakePlatform fake;
    CInstaller in(fake, fake);
    std::strcpy(in.m_saveDir, "C:\\dl");
    std::strcpy(in.m_addName, lines[0].substr(0, kMaxPath - 1).c_str());
    ScanAndCheck(fake, in, entries);
    ScanAndCheck(fake, in, std::vector<std::string>(entries.rbegin(), entries.rend()));
    return 0;
}
