// The text rules over arbitrary code page 932 bytes: the last backslash, the
// initial selection, bounded copies and quoting. Input: CopyText's capacity - 1,
// then the text up to a NUL. Buffers have their exact size for the sanitizer.
#include "fake_platform.h"
#include "quote.h"
#include "text.h"
#include <cstdlib>

#define FUZZ_CHECK(condition) ((condition) ? void() : std::abort()) // the input is kept

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t capacity = 1 + (size ? data[0] : 0);
    const std::string text =
        size ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1).c_str() : "";
    // A lead byte (by the classic Shift_JIS test) and a byte after it make a character,
    // whose second byte is never a backslash, even when it is 0x5C.
    std::size_t after = 0, copied = 0; // one past the last backslash; what CopyText takes
    for (std::size_t i = 0; i < text.size();) {
        const bool pair =
            static_cast<unsigned char>((text[i] ^ 0x20) - 0xA1) < 0x3C && i + 1 < text.size();
        after = !pair && text[i] == '\\' ? i + 1 : after;
        i += pair ? 2 : 1;
        copied = i <= capacity - 1 ? i : copied;
    }
    std::vector<char> buffer(text.size() + 3); // room for a root backslash or two quotes
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    FUZZ_CHECK(FindLastBackslash(buffer.data(), IsCp932LeadByte) ==
               (after ? buffer.data() + after - 1 : nullptr));
    // One backslash trimmed, only at the very end; a bare drive gets its root.
    PrepareInitialSelection(buffer.data(), IsCp932LeadByte);
    const std::string kept =
        text.substr(0, after && after == text.size() ? after - 1 : text.size());
    FUZZ_CHECK(buffer.data() == kept + (kept.size() == 2 && kept[1] == ':' ? "\\" : ""));
    std::vector<char> copy(capacity, '\x7F'); // whole characters that fit capacity - 1 bytes
    CopyText(copy.data(), capacity, text.c_str(), IsCp932LeadByte);
    FUZZ_CHECK(copy.data() == text.substr(0, copied));
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1); // quoted when it
    const bool blank = text.find(' ') != std::string::npos;    // holds a blank and fits 253 bytes
    FUZZ_CHECK(QuoteIfSpaced(buffer.data()) == (!blank || text.size() <= 253));
    FUZZ_CHECK(buffer.data() == (blank && text.size() <= 253 ? "\"" + text + "\"" : text));
    return 0;
}
