#pragma once

#include <QImage>

#include "library/picture.h"

namespace vaticor {

// A deep copy of the picture as a QImage in Format_ARGB32 (the same 0xAARRGGBB
// words); a null QImage for an empty picture.
QImage ToQImage(const Picture& picture);

}  // namespace vaticor
