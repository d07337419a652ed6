#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "library/picture.h"

namespace vaticor {

// Decodes a JPEG file held in memory with libjpeg.
//
// A non-empty `target` is the size the picture will be shown at: it then
// comes out at DeliveredSize(declared size, target). The file is decoded at
// the smallest DCT scale M/8 (M = 1..8) that still covers that size, which
// is far faster for a large photograph shown as a small card, and each band
// of decoded rows is area-averaged into the result as it arrives: memory
// follows the delivered size (plus about 100 bytes a delivered column and
// libjpeg's working rows, a few per decoded column, at most 65500 columns),
// never the declared size. A progressive file also needs libjpeg's
// coefficients for the whole picture at full size; past 512 MiB of them
// it is refused. Without a target the picture comes out at its full size.
//
// Grey, YCbCr and RGB files come out opaque; CMYK and YCCK files are
// converted to RGB (the inverted CMYK that Adobe applications write is
// recognised by its APP14 marker). The EXIF orientation is ignored: pixels
// come out as stored.
//
// Returns nullptr for corrupt or truncated files (a premature end of the data
// counts as corrupt, other libjpeg warnings do not), for files libjpeg cannot
// decode to 8-bit samples (12-bit, lossless), and for delivered pictures of
// more than kMaxPicturePixels pixels. Nothing is printed.
std::unique_ptr<Picture> DecodeJpeg(std::string_view bytes, PictureSize target = {});

// The full pixel size from the file's headers, read without decoding any
// pixels; nullopt when the headers are unreadable or incomplete (the bytes
// may be just the start of the file).
std::optional<PictureSize> MeasureJpeg(std::string_view bytes);

}  // namespace vaticor
