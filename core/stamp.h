// The date stamp in a package's name and its order: nine bytes, digits with
// '_' or a digit at position 4, compared byte by byte ('_' above every digit).
#pragma once
#include <cstddef>

constexpr std::size_t kStampLength = 9;
constexpr char kBaselineStamp[] = "1990_0101";

// Search pattern 0 finds the underscore form kv<stamp>_.<ext>, pattern 1 the plain form.
constexpr int kUnderscorePattern = 0;
constexpr int kPlainPattern = 1;

// True when candidate is a well-formed stamp not below best; it is then copied into best.
bool IsNewerStamp(char (&best)[kStampLength + 1], const char* candidate);

// The candidate stem of a listed name (at least three bytes) for a search pattern:
// the name after its two-byte prefix, cut at its first '.', and for the
// underscore pattern one byte earlier. stem must hold as many bytes as name.
void ExtractStem(const char* name, int pattern, char* stem);
