#include "latency/SetupGrid.h"

int SnapToCell(int v, TSnapAxis axis)
{
    if (axis == saHorizontal) {
        if (v < 0)
            return 75;
        if (v <= 66)
            return 8;
        if (v <= 133)
            return 75;
        if (v <= 200)
            return 143;
        return 210;
    }
    if (v < 0 || v > 258)
        return 72;
    if (v <= 64)
        return 8;
    if (v <= 129)
        return 72;
    if (v <= 194)
        return 136;
    return 200;
}
