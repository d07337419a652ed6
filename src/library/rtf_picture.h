#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "library/rich_text.h"
#include "library/rtf_control_words.h"

namespace vaticor::rtf {

// A \pict group being read: its words, its hex digits or \bin bytes, and at
// its end the picture it holds. Only PNG and JPEG are kept, told by their
// bytes whatever the words claim; sizes are held to 1,000,000 twips.
class PictureReader {
 public:
  void Start();
  void Word(WordAction action, std::int64_t param);
  // A literal character of the group: hex digits are the picture's bytes.
  void HexDigit(char c);
  // The bytes of a \bin inside the group.
  void Binary(std::string_view bytes);
  // The picture read since Start, if it is one this reader keeps; the next
  // picture starts empty.
  std::optional<EmbeddedPicture> End();

 private:
  std::optional<EmbeddedPicture::Format> format_;  // none: a format not kept
  std::string bytes_;
  int nibble_ = -1;  // first hex digit of a byte, when one is waiting
  std::int64_t width_ = 0, height_ = 0, goalWidth_ = 0, goalHeight_ = 0;
  std::int64_t scaleX_ = 100, scaleY_ = 100;
};

}  // namespace vaticor::rtf
