// The stand-ins' records.txt: records of key=value lines, each ended by an empty line.
#pragma once
#include <map>
#include <string>
#include <vector>

using StubRecord = std::map<std::string, std::string>;

std::vector<StubRecord> ParseStubRecords(const std::vector<std::string>& lines);
