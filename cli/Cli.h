#pragma once

#include "output/Output.h"

// The whole command line: parses argv, runs the chosen command into `out`
// and returns the exit status. Bad input prints one line on standard error,
// leaves `out` empty and returns 2.
int runCli(int argc, const char* const* argv, Output& out);
