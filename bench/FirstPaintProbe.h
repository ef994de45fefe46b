#pragma once

class QWidget;

// For start-up measurements only: once `window` has painted its first frame,
// prints the wall clock (CLOCK_REALTIME, nanoseconds) and ends the program,
// so a script can subtract the moment it started the process.
void installFirstPaintProbe(QWidget* window);
