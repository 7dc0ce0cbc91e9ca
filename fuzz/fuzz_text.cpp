// The code page 932 text helpers over arbitrary bytes. Input: one byte giving
// CopyText's capacity (1 to 256), then the text up to its first NUL. Buffers
// have exactly their size, so the address sanitizer sees any access past them.
// The rule restated: a lead byte with a byte after it starts a two-byte
// character, whose second byte is never a backslash, even when it is 0x5C.
#include "fake_platform.h"
#include "fuzz_check.h"
#include "text.h"
#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t capacity = 1 + data[0];
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const std::string text(bytes, std::find(bytes, bytes + size - 1, '\0'));
    std::vector<std::size_t> ends; // where each character ends
    std::size_t after = 0;         // one past the last single-byte backslash; 0: none
    for (std::size_t i = 0; i < text.size(); i = ends.back()) {
        const bool pair = IsCp932LeadByte(text[i]) && i + 1 < text.size();
        after = !pair && text[i] == '\\' ? i + 1 : after;
        ends.push_back(i + (pair ? 2 : 1));
    }

    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    const char* found = FindLastBackslash(buffer.data(), IsCp932LeadByte);
    FUZZ_CHECK(found == (after == 0 ? nullptr : buffer.data() + after - 1));
    TrimTrailingBackslash(buffer.data(), IsCp932LeadByte); // one backslash, only at the very end
    const std::size_t kept = after != 0 && after == text.size() ? after - 1 : text.size();
    FUZZ_CHECK(std::strlen(buffer.data()) == kept && text.compare(0, kept, buffer.data()) == 0);

    // The longest run of whole characters that fits capacity - 1 bytes.
    std::size_t copied = 0;
    for (std::size_t i = 0; i < ends.size() && ends[i] <= capacity - 1; ++i)
        copied = ends[i];
    std::vector<char> destination(capacity, '\x7F');
    CopyText(destination.data(), capacity, text.c_str(), IsCp932LeadByte);
    FUZZ_CHECK(std::memchr(destination.data(), '\0', capacity) != nullptr);
    FUZZ_CHECK(std::strlen(destination.data()) == copied &&
               text.compare(0, copied, destination.data()) == 0);
    return 0;
}
