// The stamp rule restated over std::string, apart from the core's code, as the
// reference the fuzz targets check the core against.
#pragma once
#include <string>

inline bool OracleWellFormedStamp(const std::string& text) {
    if (text.size() != 9)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (!((byte >= '0' && byte <= '9') || (i == 4 && byte == '_')))
            return false;
    }
    return true;
}

// The name after its two-byte prefix, up to its first dot; for the underscore
// pattern (0) one byte shorter, so the '_' before ".lzh" goes.
inline std::string OracleStem(const std::string& name, int pattern) {
    const std::string rest = name.substr(2);
    const std::size_t dot = rest.find('.');
    if (dot == std::string::npos)
        return rest;
    if (pattern == 1)
        return rest.substr(0, dot);
    return rest.substr(0, dot == 0 ? 0 : dot - 1);
}

// Stamps order by unsigned byte value from the left; std::string compares that way.
inline bool OracleNotBelow(const std::string& candidate, const std::string& best) {
    return candidate.compare(best) >= 0;
}
