#pragma once

class QWidget;

// Keeps a child against an edge of its parent, or filling it, as the parent
// changes size: the layouts give sizes for a nominal page, and a style whose
// tab pages come out a few pixels larger must not leave a bare strip beside
// a panel that is meant to reach the page's edges.
enum class TAlign
{
    Top,    // left and top edges and full width; its own height
    Bottom, // bottom edge and full width; its own height
    Client, // the whole parent
};

void alignInParent(QWidget* child, TAlign align);
