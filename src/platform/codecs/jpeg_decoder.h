#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "library/picture.h"

namespace vaticor {

// Decodes a JPEG file held in memory with libjpeg.
//
// A non-empty `target` is the size the picture will be shown at: the file is
// then decoded at the smallest DCT scale M/8 (M = 1..8) whose result still
// covers the target in both directions, which is far faster for a large
// photograph shown as a small card. Pictures are never enlarged.
//
// Grey, YCbCr and RGB files come out opaque; CMYK and YCCK files are
// converted to RGB (the inverted CMYK that Adobe applications write is
// recognised by its APP14 marker). The EXIF orientation is ignored: pixels
// come out as stored.
//
// Returns nullptr for corrupt or truncated files (a premature end of the data
// counts as corrupt, other libjpeg warnings do not), for files libjpeg cannot
// decode to 8-bit samples (12-bit, lossless), and for results of more than
// kMaxPicturePixels pixels. Nothing is printed.
std::unique_ptr<Picture> DecodeJpeg(std::string_view bytes, PictureSize target = {});

// The full pixel size from the file's headers, read without decoding any
// pixels; nullopt when the headers are unreadable or incomplete (the bytes
// may be just the start of the file).
std::optional<PictureSize> MeasureJpeg(std::string_view bytes);

}  // namespace vaticor
