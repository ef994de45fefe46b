#pragma once

#include "path/ChainValue.h"

#include <string>

// The latency chain of the window's settings file, read as the window reads
// it when it starts. Raises an error naming the file or the value when it
// cannot be read.
TChainValue readStoredChain(const std::string& path);
