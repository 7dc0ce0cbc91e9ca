// A failed check aborts, which libFuzzer reports as a crash, keeping the input.
#pragma once
#include <cstdio>
#include <cstdlib>
#define FUZZ_CHECK(c) ((c) ? (void)0 : (std::fprintf(stderr, "failed: %s\n", #c), std::abort()))
