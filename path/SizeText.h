#pragma once

#include "path/PathFault.h"

#include <cstdint>
#include <string>

// Sizes in bytes as people write them: a whole number of bytes ("65535",
// "65535 B"), or a number with a unit, KB, MB, GB and TB being powers of ten
// (1 KB = 1,000 bytes) and KiB, MiB, GiB and TiB powers of two (1 KiB =
// 1,024 bytes), as IEC 80000-13 names them. A bare K, M, G or T could mean
// either and is refused with a message that offers both; a lower-case b
// would be bits and is refused too. A fraction is taken when the size comes
// to whole bytes ("1.5 KiB", not "1.0005 KB").
//
// Raises EPathInputError for `field` saying what is wrong and how to write it.
uint64_t readSize(const std::string& text, TPathField field);

// The largest size taken: 2^53 bytes, so that every size is exact as a double.
constexpr uint64_t maxSizeBytes = uint64_t(1) << 53;
