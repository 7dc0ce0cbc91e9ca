// The code-page-932 backslash helpers over arbitrary bytes. Input: one byte
// that gives CopyText's capacity (1 to 256), then the text, up to its first
// NUL. Every buffer is allocated at exactly its size so that the address
// sanitizer reports any access past it. The character walk below restates the
// rule: a lead byte with a byte after it starts a two-byte character, whose
// second byte is never a backslash, even when it is 0x5C.
#include "check.h"
#include "text.h"
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool IsLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

struct Walk {
    std::vector<std::size_t> ends; // where each character ends, in order
    long lastBackslash = -1;       // index of the last single-byte backslash
};

Walk WalkText(const std::string& text) {
    Walk walk;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair = IsLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        if (!pair && text[i] == '\\')
            walk.lastBackslash = static_cast<long>(i);
        i += pair ? 2 : 1;
        walk.ends.push_back(i);
    }
    return walk;
}

std::vector<char> Terminated(const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return buffer;
}

void CheckFindLastBackslash(const std::string& text, const Walk& walk) {
    std::vector<char> buffer = Terminated(text);
    const char* found = FindLastBackslash(buffer.data(), IsCp932LeadByte);
    if (walk.lastBackslash < 0)
        FUZZ_CHECK(found == nullptr);
    else
        FUZZ_CHECK(found == buffer.data() + walk.lastBackslash);
}

// At most one byte goes, and only a single-byte backslash at the very end.
void CheckTrim(const std::string& text, const Walk& walk) {
    std::vector<char> buffer = Terminated(text);
    TrimTrailingBackslash(buffer.data(), IsCp932LeadByte);
    const bool trims =
        walk.lastBackslash >= 0 && static_cast<std::size_t>(walk.lastBackslash) + 1 == text.size();
    const std::size_t expected = trims ? text.size() - 1 : text.size();
    FUZZ_CHECK(std::strlen(buffer.data()) == expected);
    FUZZ_CHECK(std::memcmp(buffer.data(), text.data(), expected) == 0);
}

// The longest prefix that ends on a character boundary and fits capacity - 1
// bytes, so a double-byte character is copied whole or not at all.
void CheckCopy(const std::string& text, const Walk& walk, std::size_t capacity) {
    std::size_t expected = 0;
    for (std::size_t end : walk.ends) {
        if (end > capacity - 1)
            break;
        expected = end;
    }
    std::vector<char> source = Terminated(text);
    std::vector<char> destination(capacity, '\x7F');
    CopyText(destination.data(), capacity, source.data(), IsCp932LeadByte);
    FUZZ_CHECK(std::memchr(destination.data(), '\0', capacity) != nullptr);
    FUZZ_CHECK(std::strlen(destination.data()) == expected);
    FUZZ_CHECK(std::memcmp(destination.data(), text.data(), expected) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t capacity = 1 + data[0];
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const std::string text(bytes, std::find(bytes, bytes + size - 1, '\0'));
    const Walk walk = WalkText(text);
    CheckFindLastBackslash(text, walk);
    CheckTrim(text, walk);
    CheckCopy(text, walk, capacity);
    return 0;
}
