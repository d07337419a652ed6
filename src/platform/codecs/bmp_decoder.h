#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "library/picture.h"

namespace vaticor {

// Decodes a Windows bitmap file held in memory.
//
// Understood: OS/2 1.x core headers (12 bytes, 3-byte palette entries),
// OS/2 2.x headers (16 or 64 bytes), and the Windows headers of 40, 52, 56,
// 108 and 124 bytes; 1, 2, 4 and 8 bits per pixel through a palette, 16 and
// 32 bits with the default masks or BI_BITFIELDS / BI_ALPHABITFIELDS masks,
// 24 bits; RLE8 and RLE4; rows stored bottom-up or top-down.
//
// Alpha is taken from the masks only when they name an alpha channel
// (a V3 or later header, or BI_ALPHABITFIELDS) and at least one pixel has a
// non-zero alpha; otherwise the picture is opaque.
//
// Pixels that an RLE bitmap never writes (skipped by a delta, an early end of
// line or an early end of bitmap) are fully transparent (0x00000000), so
// whatever lies behind the card shows there, as when Windows draws such a
// bitmap. A palette index past the end of the palette gives opaque black.
//
// A non-empty `target` is the size the picture will be shown at: it then
// comes out at DeliveredSize(declared size, target), each pixel the average
// of the area it covers, and rows are shrunk as they are decoded, so memory
// follows the delivered size (plus about 100 bytes a delivered column),
// never the declared one. Without a target it comes out at its full size.
//
// Returns nullptr for anything malformed or unsupported: a wrong signature or
// header size, planes other than 1, an unknown bit count or compression,
// width <= 0, height == 0, pixel data outside the file or cut short,
// top-down RLE, embedded JPEG or PNG data, and delivered pictures of more
// than kMaxPicturePixels pixels.
std::unique_ptr<Picture> DecodeBmp(std::string_view bytes, PictureSize target = {});

// The pixel size a bitmap's headers declare, read from the start of the file
// (the first few hundred bytes are enough); nullopt when the headers are
// missing, malformed or describe a bitmap DecodeBmp cannot read.
std::optional<PictureSize> MeasureBmp(std::string_view headerBytes);

}  // namespace vaticor
