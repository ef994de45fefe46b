#pragma once

// The setup panel's 4 x 4 grid of element cells. Positions are for the eye
// only; the chain order alone decides the latencies.
enum TSnapAxis
{
    saHorizontal, // left edges 8, 75, 143, 210
    saVertical,   // top edges 8, 72, 136, 200
};

// The cell edge an element dragged with the mouse at panel coordinate `v`
// lands on. Off-panel values fall back to the second cell.
int SnapToCell(int v, TSnapAxis axis);
