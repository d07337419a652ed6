// libFuzzer target for the pictures Qt reads for the program: SVG drawn by
// Qt SVG and WebP and PNG decoded by Qt's image readers, through the loader
// the decks use. The input's first byte chooses the format; the rest is
// the file.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/file_io.h"
#include "library/picture.h"
#include "platform/file_picture_loader.h"
#include "work_folder.h"

namespace {

void Trap(bool failed) {
  if (failed) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Drawing text needs the fonts of a GUI application; no screen needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  constexpr vaticor::PictureFormat kFormats[] = {
      vaticor::PictureFormat::Svg, vaticor::PictureFormat::Webp, vaticor::PictureFormat::Png};
  const vaticor::PictureFormat format = kFormats[data[0] % 3];
  const std::string path = vaticor::JoinPath(vaticor::fuzz::WorkFolder("qt_picture_fuzz"), "card");
  vaticor::WriteFileAtomically(path,
                               std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

  vaticor::FilePictureLoader loader;
  const std::optional<vaticor::PictureSize> measured = loader.Measure(path, format);
  constexpr vaticor::PictureSize kArea{300, 500};
  const std::unique_ptr<vaticor::Picture> picture = loader.Load(path, format, kArea);
  if (picture) {
    // Shown within the area asked, with the proportions measured, and
    // never more pixels than any picture may have.
    Trap(!measured);
    Trap(picture->size().width > kArea.width || picture->size().height > kArea.height);
    Trap(picture->size().empty());
    Trap(static_cast<std::int64_t>(picture->size().width) * picture->size().height >
         vaticor::kMaxPicturePixels);
  }
  if (measured) {
    Trap(measured->empty());
    Trap(static_cast<std::int64_t>(measured->width) * measured->height >
             vaticor::kMaxPicturePixels &&
         format == vaticor::PictureFormat::Svg);
  }
  return 0;
}
