// Reads any bytes as a card description and checks what comes out: valid
// UTF-8 throughout, pictures where runs say they are, and a result no larger
// than a small multiple of the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/text_encoding.h"
#include "library/rich_text.h"
#include "library/rtf_reader.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vaticor::RichDocument document = vaticor::ReadDescriptionDocument(bytes);

  std::size_t textBytes = 0;
  std::size_t runs = 0;
  for (const vaticor::Paragraph& paragraph : document.paragraphs) {
    for (const vaticor::TextRun& run : paragraph.runs) {
      ++runs;
      textBytes += run.text.size() + run.font.size();
      Check(vaticor::IsValidUtf8(run.text));
      Check(vaticor::IsValidUtf8(run.font));
      Check(run.font.size() <= 31);
      Check(run.pointSize >= 0 && run.pointSize <= 1638);
      for (char c : run.text) {
        const auto b = static_cast<unsigned char>(c);
        Check(b >= 0x20 || c == '\t' || c == '\n');
      }
      if (run.picture) {
        Check(*run.picture < document.pictures.size());
        Check(run.text.empty());
      }
    }
  }
  std::size_t pictureBytes = 0;
  for (const vaticor::EmbeddedPicture& picture : document.pictures)
    pictureBytes += picture.bytes.size();
  Check(pictureBytes <= size);
  // Each input byte gives at most a replacement character (3 bytes) of text,
  // a footnote number's digits aside; runs and paragraphs are rationed.
  Check(textBytes <= 4 * size + 64 * runs);
  Check(runs + document.paragraphs.size() <= 2 * (10'000 + size / 16) + 2);

  // The viewer's size choices.
  vaticor::SetAllPointSizes(document,
                            vaticor::TextSizeChoicePoints(static_cast<int>(size % 7) - 1));
  Check(vaticor::IsValidUtf8(vaticor::PlainText(document)));
  return 0;
}
