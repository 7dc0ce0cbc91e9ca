// Reading an integer setting over arbitrary value text. Input: one byte whose
// low bit says whether the key is present, four bytes of the default value
// (little-endian), then the value text. The result must follow atoi's rule with
// values outside the 32-bit range saturated, computed here with strtoll, and
// the default must apply only when the key is absent. Writing the result back
// must give text that reads as the same number.
#include "check.h"
#include "fake_platform.h"
#include "installer.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

// Hands the value text to the reader as it stands, without the INI file's own
// trimming, which the fakes' tests cover.
class CValuePlatform : public CFakePlatform {
  public:
    bool m_hasSetting = false; // the key is present
    std::string m_setting;     // its value
    std::string m_written;     // the last value written

    std::uint32_t GetPrivateProfileStringA(const char*, const char*, const char* defaultValue,
                                           char* buffer, std::uint32_t size, const char*) override {
        const std::string text = m_hasSetting ? m_setting.c_str() : defaultValue;
        const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
        text.copy(buffer, length);
        buffer[length] = '\0';
        return static_cast<std::uint32_t>(length);
    }

    bool WritePrivateProfileStringA(const char*, const char*, const char* value,
                                    const char*) override {
        m_written = value;
        return true;
    }
};

const char kSection[] = "INSTDATA";
const char kKey[] = "QuitKv";
const char kFile[] = "C:\\KvInst\\kvinst.ini";

// The value the platform hands back: up to its first NUL, at most 499 bytes.
std::int32_t OracleRead(const std::string& value) {
    const std::string text = value.substr(0, std::min<std::size_t>(value.find('\0'), 499));
    const long long number = std::strtoll(text.c_str(), nullptr, 10); // saturates at 64 bits
    return static_cast<std::int32_t>(std::clamp<long long>(number, INT32_MIN, INT32_MAX));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return 0;
    std::uint32_t defaultBits = 0;
    for (int i = 0; i < 4; ++i)
        defaultBits |= static_cast<std::uint32_t>(data[1 + i]) << (8 * i);
    const std::int32_t defaultValue = static_cast<std::int32_t>(defaultBits);

    CValuePlatform platform;
    platform.m_hasSetting = (data[0] & 1) != 0;
    platform.m_setting.assign(reinterpret_cast<const char*>(data + 5), size - 5);

    const std::int32_t value = ReadIntSetting(platform, kSection, kKey, defaultValue, kFile);
    FUZZ_CHECK(value == (platform.m_hasSetting ? OracleRead(platform.m_setting) : defaultValue));

    FUZZ_CHECK(WriteIntSetting(platform, kSection, kKey, value, kFile));
    FUZZ_CHECK(platform.m_written == std::to_string(value));
    platform.m_hasSetting = true;
    platform.m_setting = platform.m_written;
    FUZZ_CHECK(ReadIntSetting(platform, kSection, kKey, ~value, kFile) == value);
    return 0;
}
