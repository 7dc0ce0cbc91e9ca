// Stamp test and stem extraction over arbitrary names. Every line of the input
// is offered to IsNewerStamp as it stands and, when it is long enough to be a
// listed name, through the stem of each search pattern. The best stamp must
// follow the restated rule exactly and always stay a well-formed stamp that is
// not below the baseline.
#include "check.h"
#include "input_lines.h"
#include "stamp.h"
#include "stamp_oracle.h"
#include <cstring>
#include <vector>

namespace {

struct BestStamp {
    char core[kStampLength + 1];
    std::string expected;
};

void Offer(BestStamp& best, const std::string& candidate) {
    const bool shouldAccept =
        OracleWellFormedStamp(candidate) && OracleNotBelow(candidate, best.expected);
    const bool accepted = IsNewerStamp(best.core, candidate.c_str());
    FUZZ_CHECK(accepted == shouldAccept);
    if (shouldAccept)
        best.expected = candidate;
    FUZZ_CHECK(best.core[kStampLength] == '\0');
    const std::string now(best.core);
    FUZZ_CHECK(now == best.expected);
    FUZZ_CHECK(OracleWellFormedStamp(now) && OracleNotBelow(now, kBaselineStamp));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BestStamp best;
    std::memcpy(best.core, kBaselineStamp, sizeof best.core);
    best.expected = kBaselineStamp;
    for (const std::string& name : SplitLines(data, size)) {
        Offer(best, name);
        if (name.size() < 3) // the scan never extracts from shorter names
            continue;
        for (int pattern : {kUnderscorePattern, kPlainPattern}) {
            // Exactly the room the stem can take: the name after its prefix and a NUL,
            // so the address sanitizer sees any write past it.
            std::vector<char> stem(name.size() - 1);
            ExtractStem(name.c_str(), pattern, stem.data());
            FUZZ_CHECK(std::memchr(stem.data(), '\0', stem.size()) != nullptr);
            FUZZ_CHECK(std::string(stem.data()) == OracleStem(name, pattern));
            Offer(best, stem.data());
        }
    }
    return 0;
}
