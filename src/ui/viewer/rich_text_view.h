#pragma once

#include "library/rich_text.h"

class QTextDocument;

namespace vaticor {

// Limits that keep a hostile document from making the layout costly.
inline constexpr double kMinRenderedPointSize = 1.0;
inline constexpr double kMaxRenderedPointSize = 200.0;
inline constexpr int kMaxRenderedIndentTwips = 14400;  // 10 inches
inline constexpr int kMaxRenderedPicturePixels = 4096 * 4096;
inline constexpr int kMaxRenderedPictureSide = 2000;  // shown size, pixels

// Replaces the content of `target` with the document, building it with
// QTextCursor and formats: no markup of any kind is interpreted, and
// nothing is loaded from outside the document (embedded PNG and JPEG
// pictures become resources of `target`). Runs without a font or size take
// the target's default font. Twips become pixels at `pixelsPerInch`.
void RenderRichDocument(const RichDocument& document, QTextDocument& target,
                        double pixelsPerInch = 96.0);

// Sets every character of the text, and the empty lines, to one size.
void SetWholeTextPointSize(QTextDocument& target, double points);

}  // namespace vaticor
