#pragma once

#include "path/ElementDelay.h"

#include <QString>

// Name of the kind's picture, e.g. "ETHERNET" for ":/bitmaps/ETHERNET.svg".
const char* kindPictureName(TNetworkButtonKind kind);
QString kindPicturePath(TNetworkButtonKind kind);
