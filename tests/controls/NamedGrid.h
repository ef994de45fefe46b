#pragma once

#include "controls/SuperStringGrid.h"

#include <QList>
#include <QModelIndex>
#include <QString>

// What the grid tests share: a grid whose every cell names its own
// position, so a wrong cell shows in the diff, and readable rectangles.

QString cellName(int col, int row);
void fillNamed(TSuperStringGrid& grid);
// The view's index of the grid cell, fixed rows and columns counted.
QModelIndex itemAt(const TSuperStringGrid& grid, int col, int row);
// left, top, right, bottom
TGridRect rectOf(const QList<int>& v);
QString describe(const TGridRect& r);
