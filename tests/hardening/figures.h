// The run's figures: how many hostile inputs were tried and how many faults
// the installer lived through with its data intact. Printed once at the end.
#pragma once

namespace figures {

// One hostile input (a file, a name, a path, a library, a process) tried.
void InputTried(int count = 1);
// Counts the inputs of the running test as survived when it has no failure.
void SurvivedIfPassing(int count = 1);
// A measured time or size, printed with the figures.
void Note(const char* what, double value, const char* unit);

// Registers the printer with GoogleTest; call before RUN_ALL_TESTS.
void Install();

} // namespace figures
