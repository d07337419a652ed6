#include "platform/file_picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <cstring>
#include <new>

#include "core/file_io.h"
#include "platform/codecs/bmp_decoder.h"
#include "platform/codecs/jpeg_decoder.h"

namespace vaticor {

namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const FileIdentity identity = IdentifyFile(path);
  if (!identity.exists || identity.size > FilePictureLoader::kMaxPictureFileBytes)
    return std::nullopt;
  std::optional<std::string> bytes = ReadFileBytes(path);
  // The file may have grown since it was looked at.
  if (bytes && bytes->size() > FilePictureLoader::kMaxPictureFileBytes) return std::nullopt;
  return bytes;
}

// QImageReader reading PNG bytes held in `bytes`, which must outlive it.
class PngReader {
 public:
  explicit PngReader(const std::string& bytes)
      : data_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))),
        buffer_(&data_) {
    buffer_.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer_);
    reader_.setFormat("png");
    reader_.setDecideFormatFromContent(false);
  }
  QImageReader& reader() { return reader_; }

 private:
  QByteArray data_;
  QBuffer buffer_;
  QImageReader reader_;
};

std::unique_ptr<Picture> DecodePng(const std::string& bytes, PictureSize target) {
  PngReader png(bytes);
  QImageReader& reader = png.reader();
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return nullptr;
  if (static_cast<std::int64_t>(size.width()) * size.height() > kMaxPicturePixels) return nullptr;
  // Qt shrinks non-interlaced 8-bit RGB and RGBA pictures row by row as it
  // reads them; other kinds it reads whole (within the limit above) first.
  const PictureSize full{size.width(), size.height()};
  const PictureSize wanted = DeliveredSize(full, FittedTarget(full, target));
  if (wanted != full) reader.setScaledSize({wanted.width, wanted.height});
  QImage image = reader.read();
  if (image.isNull()) return nullptr;
  image = image.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return nullptr;
  auto picture = std::make_unique<Picture>(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(picture->row(y), image.constScanLine(y),
                static_cast<std::size_t>(image.width()) * sizeof(std::uint32_t));
  }
  return picture;
}

std::optional<PictureSize> MeasurePng(const std::string& bytes) {
  PngReader png(bytes);
  const QSize size = png.reader().size();
  if (!size.isValid() || size.isEmpty()) return std::nullopt;
  return PictureSize{size.width(), size.height()};
}

}  // namespace

std::unique_ptr<Picture> FilePictureLoader::Load(const std::string& path, PictureFormat format,
                                                 PictureSize target) {
  try {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return nullptr;
    // The picture keeps its proportions within the area asked; a header
    // that cannot be read leaves the decoder to refuse the file.
    auto fitted = [&target](std::optional<PictureSize> full) {
      return full && !target.empty() ? FittedTarget(*full, target) : target;
    };
    switch (format) {
      case PictureFormat::Bmp:
        return DecodeBmp(*bytes, fitted(MeasureBmp(*bytes)));
      case PictureFormat::Jpeg:
        return DecodeJpeg(*bytes, fitted(MeasureJpeg(*bytes)));
      case PictureFormat::Png:
        return DecodePng(*bytes, target);
    }
  } catch (const std::bad_alloc&) {
  }
  return nullptr;
}

std::optional<PictureSize> FilePictureLoader::Measure(const std::string& path,
                                                      PictureFormat format) {
  const std::optional<std::string> prefix = ReadFilePrefix(path, kMeasurePrefixBytes);
  if (!prefix) return std::nullopt;
  switch (format) {
    case PictureFormat::Bmp:
      return MeasureBmp(*prefix);
    case PictureFormat::Png:
      return MeasurePng(*prefix);
    case PictureFormat::Jpeg: {
      if (std::optional<PictureSize> size = MeasureJpeg(*prefix)) return size;
      if (prefix->size() < kMeasurePrefixBytes) return std::nullopt;  // that was the whole file
      const std::optional<std::string> whole = ReadWholeFile(path);
      return whole ? MeasureJpeg(*whole) : std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace vaticor
