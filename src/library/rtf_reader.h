#pragma once

#include <cstddef>
#include <string_view>

#include "library/rich_text.h"

namespace vaticor {

// Bytes of a document beyond this are not read: the document reads as if it
// ended there (an RTF file then as a truncated one). A description with a
// few photographs stays well below it.
inline constexpr std::size_t kMaxDescriptionBytes = 20 * 1024 * 1024;

// Reads an RTF document as WordPad, Word, LibreOffice and TextEdit write it.
// Never fails: damaged, truncated or hostile input gives whatever text can be
// recovered. Time is linear in the input; the result's size is bounded by a
// small multiple of it. Bytes before the first "{" and after the group that
// opens there are ignored. Only PNG and JPEG pictures stored in the file are
// kept; nothing is ever loaded from outside it. Text of headers, footers,
// field instructions, style sheets, document information and other
// destinations that are not part of the reading text is left out; footnotes
// follow the body.
RichDocument ReadRtf(std::string_view bytes);

// A card description file: RTF when it starts with "{\rtf" (after an
// optional UTF-8 byte-order mark and white space), plain text otherwise.
// Plain text is decoded as DecodeText does (byte-order mark, else UTF-8 when
// valid, else Windows-1251); each line (CR LF, LF or CR) is a paragraph.
RichDocument ReadDescriptionDocument(std::string_view bytes);

// Plain text as ReadDescriptionDocument reads it.
RichDocument ReadPlainTextDocument(std::string_view bytes);

}  // namespace vaticor
