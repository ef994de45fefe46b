#pragma once

class TSuperStringGrid;

// The lookup table of the values 0 to 255: a header row, then each value in
// decimal, hexadecimal and binary.
void fillLookupTable(TSuperStringGrid& grid);
