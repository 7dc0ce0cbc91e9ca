#include "entry_name.h"

namespace {

bool IsCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsCp932Trail(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// Windows drops trailing dots and blanks from a component, so "..." or ". ."
// could come to mean a parent; none of them is a name worth keeping.
bool IsDotsAndBlanks(const std::string& component) {
    return component.find_first_not_of(". ") == std::string::npos;
}

bool AppendComponent(const std::string& component, std::string& path) {
    if (component.empty() || component == ".")
        return true;
    if (IsDotsAndBlanks(component))
        return false;
    if (!path.empty())
        path += kPathSeparator;
    path += component;
    return true;
}

} // namespace

bool MakeRelativePath(const std::string& name, bool utf8, RelativePath& result) {
    result.path.clear();
    result.isDirectory = false;
    if (name.empty() || IsSeparator(name[0]))
        return false;
    std::string component;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x20 || byte == 0x7F || byte == ':')
            return false;
        if (!utf8 && IsCp932Lead(byte)) {
            if (i + 1 >= name.size() || !IsCp932Trail(static_cast<unsigned char>(name[i + 1])))
                return false;
            component += name[i];
            component += name[++i];
        } else if (IsSeparator(name[i])) {
            if (!AppendComponent(component, result.path))
                return false;
            component.clear();
        } else {
            component += name[i];
        }
    }
    result.isDirectory = component.empty() || component == ".";
    return AppendComponent(component, result.path) && !result.path.empty();
}

bool EndsWithSeparator(const std::string& text) {
    bool endsWithSeparator = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        endsWithSeparator = IsSeparator(text[i]);
        if (IsCp932Lead(static_cast<unsigned char>(text[i])))
            ++i;
    }
    return endsWithSeparator;
}
