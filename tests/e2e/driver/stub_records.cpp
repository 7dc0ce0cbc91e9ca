#include "stub_records.h"

std::vector<StubRecord> ParseStubRecords(const std::vector<std::string>& lines) {
    std::vector<StubRecord> records;
    StubRecord current;
    for (const std::string& line : lines) {
        if (line.empty()) {
            if (!current.empty())
                records.push_back(current);
            current.clear();
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            current[line.substr(0, equals)] = line.substr(equals + 1);
    }
    if (!current.empty())
        records.push_back(current);
    return records;
}
