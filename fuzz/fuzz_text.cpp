// The code page 932 text helpers over arbitrary bytes. Input: a byte giving
// CopyText's capacity (1 to 256), then the text up to its first NUL. Buffers
// have exactly their size, so the address sanitizer sees any access past them.
#include "fake_platform.h"
#include "fuzz_check.h"
#include "text.h"
#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t capacity = 1 + (size ? data[0] : 0);
    const char* bytes = reinterpret_cast<const char*>(data + (size ? 1 : 0));
    const std::string text(bytes, std::find(bytes, bytes + size - (size ? 1 : 0), '\0'));
    // A lead byte with a byte after it starts a two-byte character, whose second
    // byte is never a backslash, even when it is 0x5C.
    std::size_t after = 0, copied = 0; // one past the last backslash; what CopyText takes
    for (std::size_t i = 0; i < text.size();) {
        const bool pair = IsCp932LeadByte(text[i]) && i + 1 < text.size();
        after = !pair && text[i] == '\\' ? i + 1 : after;
        i += pair ? 2 : 1;
        copied = i <= capacity - 1 ? i : copied;
    }
    std::vector<char> buffer(text.c_str(), text.c_str() + text.size() + 1);
    FUZZ_CHECK(FindLastBackslash(buffer.data(), IsCp932LeadByte) ==
               (after ? buffer.data() + after - 1 : nullptr));
    TrimTrailingBackslash(buffer.data(), IsCp932LeadByte); // only a backslash at the very end
    const std::size_t kept = after && after == text.size() ? after - 1 : text.size();
    FUZZ_CHECK(std::strlen(buffer.data()) == kept && text.compare(0, kept, buffer.data()) == 0);
    std::vector<char> copy(capacity, '\x7F'); // whole characters that fit capacity - 1 bytes
    CopyText(copy.data(), capacity, text.c_str(), IsCp932LeadByte);
    FUZZ_CHECK(std::strlen(copy.data()) == copied && text.compare(0, copied, copy.data()) == 0);
    return 0;
}
