#include "platform/file_picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
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

// QImageReader reading bytes held in `bytes`, which must outlive it, as the
// format named ("png", "webp") whatever they hold.
class QtReader {
 public:
  QtReader(const std::string& bytes, const char* format)
      : data_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))),
        buffer_(&data_) {
    buffer_.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer_);
    reader_.setFormat(format);
    reader_.setDecideFormatFromContent(false);
  }
  QImageReader& reader() { return reader_; }

 private:
  QByteArray data_;
  QBuffer buffer_;
  QImageReader reader_;
};

std::unique_ptr<Picture> PictureOf(const QImage& argb) {
  auto picture = std::make_unique<Picture>(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    std::memcpy(picture->row(y), argb.constScanLine(y),
                static_cast<std::size_t>(argb.width()) * sizeof(std::uint32_t));
  }
  return picture;
}

std::unique_ptr<Picture> DecodeWithQt(const std::string& bytes, const char* format,
                                      PictureSize target) {
  QtReader qt(bytes, format);
  QImageReader& reader = qt.reader();
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
  return PictureOf(image);
}

std::optional<PictureSize> MeasureWithQt(const std::string& bytes, const char* format) {
  QtReader qt(bytes, format);
  const QSize size = qt.reader().size();
  if (!size.isValid() || size.isEmpty()) return std::nullopt;
  return PictureSize{size.width(), size.height()};
}

// An SVG document's own size in pixels, brought within kMaxPicturePixels
// with its proportions; nullopt for one Qt SVG cannot read or that has no
// size.
std::optional<PictureSize> SvgSize(const QSvgRenderer& svg) {
  if (!svg.isValid()) return std::nullopt;
  const QSize own = svg.defaultSize();  // its width and height, else its view box
  if (own.width() <= 0 || own.height() <= 0) return std::nullopt;
  const double pixels = static_cast<double>(own.width()) * own.height();
  const double shrink = pixels > kMaxPicturePixels ? std::sqrt(kMaxPicturePixels / pixels) : 1.0;
  return PictureSize{std::max(1, static_cast<int>(own.width() * shrink)),
                     std::max(1, static_cast<int>(own.height() * shrink))};
}

std::unique_ptr<Picture> DrawSvg(const std::string& bytes, PictureSize target) {
  QSvgRenderer svg(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
  const std::optional<PictureSize> own = SvgSize(svg);
  if (!own) return nullptr;
  // Drawn, not shrunk: the size shown, larger than its own size too.
  const PictureSize size = target.empty() ? *own : FitProportions(*own, target);
  if (size.empty() || static_cast<std::int64_t>(size.width) * size.height > kMaxPicturePixels) {
    return nullptr;
  }
  QImage image(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return nullptr;
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(0, 0, size.width, size.height));
  }
  return PictureOf(image.convertToFormat(QImage::Format_ARGB32));
}

std::optional<PictureSize> MeasureSvg(const std::string& bytes) {
  const QSvgRenderer svg(
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return SvgSize(svg);
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
        return DecodeWithQt(*bytes, "png", target);
      case PictureFormat::Webp:
        return DecodeWithQt(*bytes, "webp", target);
      case PictureFormat::Svg:
        return DrawSvg(*bytes, target);
    }
  } catch (const std::bad_alloc&) {
  }
  return nullptr;
}

std::optional<PictureSize> FilePictureLoader::Measure(const std::string& path,
                                                      PictureFormat format) {
  if (format == PictureFormat::Svg) {
    // An SVG's size may come only after a long preamble: read whole.
    const std::optional<std::string> whole = ReadWholeFile(path);
    return whole ? MeasureSvg(*whole) : std::nullopt;
  }
  const std::optional<std::string> prefix = ReadFilePrefix(path, kMeasurePrefixBytes);
  if (!prefix) return std::nullopt;
  switch (format) {
    case PictureFormat::Bmp:
      return MeasureBmp(*prefix);
    case PictureFormat::Png:
      return MeasureWithQt(*prefix, "png");
    case PictureFormat::Webp:
      return MeasureWithQt(*prefix, "webp");
    case PictureFormat::Svg:
      return std::nullopt;  // measured above
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
