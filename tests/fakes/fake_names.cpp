#include "fake_names.h"
#include "text.h"

std::size_t CharWidth(const std::string& text, std::size_t i) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

std::string FoldCase(const std::string& name) {
    std::string folded = name;
    for (std::size_t i = 0; i < folded.size(); i += CharWidth(folded, i)) {
        if (folded[i] >= 'A' && folded[i] <= 'Z')
            folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
    }
    return folded;
}

std::string PathKey(const std::string& path) {
    std::string folded = FoldCase(path);
    std::string key;
    for (std::size_t i = 0; i < folded.size();) {
        std::size_t width = CharWidth(folded, i);
        bool repeated = width == 1 && folded[i] == '\\' && i > 1 && key.back() == '\\';
        if (!repeated)
            key.append(folded, i, width);
        i += width;
    }
    return key;
}

bool MatchesWildcard(const std::string& pattern, const std::string& name) {
    // Backtracking over the last '*' is enough: a later '*' can only need a
    // longer run from the position the earlier one reached.
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        std::size_t width = CharWidth(name, n);
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += width;
        } else if (p < pattern.size() && CharWidth(pattern, p) == width &&
                   pattern.compare(p, width, name, n, width) == 0) {
            p += width;
            n += width;
        } else if (starP != std::string::npos) {
            p = starP;
            starN += CharWidth(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::size_t LastSeparator(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); i += CharWidth(path, i)) {
        if (path[i] == '\\')
            last = i;
    }
    return last;
}
