#include "ui/viewer/rich_text_view.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace vaticor {

namespace {

double Pixels(int twips, double pixelsPerInch) { return twips * pixelsPerInch / 1440.0; }

Qt::Alignment ToQt(Alignment align) {
  switch (align) {
    case Alignment::Right:
      return Qt::AlignRight;
    case Alignment::Centre:
      return Qt::AlignHCenter;
    case Alignment::Justify:
      return Qt::AlignJustify;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

QTextBlockFormat BlockFormat(const Paragraph& paragraph, double pixelsPerInch) {
  QTextBlockFormat format;
  format.setAlignment(ToQt(paragraph.align));
  const int left = std::clamp(paragraph.leftIndent, 0, kMaxRenderedIndentTwips);
  const int right = std::clamp(paragraph.rightIndent, 0, kMaxRenderedIndentTwips);
  // A first line may hang out of its paragraph, but not out of the page.
  const int first = std::clamp(paragraph.firstLineIndent, -left, kMaxRenderedIndentTwips);
  format.setLeftMargin(Pixels(left, pixelsPerInch));
  format.setRightMargin(Pixels(right, pixelsPerInch));
  format.setTextIndent(Pixels(first, pixelsPerInch));
  format.setTopMargin(
      Pixels(std::clamp(paragraph.spaceBefore, 0, kMaxRenderedIndentTwips), pixelsPerInch));
  format.setBottomMargin(
      Pixels(std::clamp(paragraph.spaceAfter, 0, kMaxRenderedIndentTwips), pixelsPerInch));
  return format;
}

QTextCharFormat CharFormat(const TextRun& run) {
  QTextCharFormat format;
  if (!run.font.empty()) format.setFontFamilies({QString::fromStdString(run.font)});
  if (run.pointSize > 0 && std::isfinite(run.pointSize)) {
    format.setFontPointSize(
        std::clamp(run.pointSize, kMinRenderedPointSize, kMaxRenderedPointSize));
  }
  if (run.bold) format.setFontWeight(QFont::Bold);
  if (run.italic) format.setFontItalic(true);
  if (run.underline) format.setFontUnderline(true);
  if (run.strike) format.setFontStrikeOut(true);
  if (run.script == Script::Super) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
  if (run.script == Script::Sub) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
  if (run.colour) format.setForeground(QColor::fromRgb(*run.colour & 0xFFFFFFu));
  if (run.highlight) format.setBackground(QColor::fromRgb(*run.highlight & 0xFFFFFFu));
  return format;
}

// The run's text as the document may hold it: a line break becomes U+2028,
// and the characters QTextDocument reserves for its own structure (block,
// frame and object marks) and other control characters are left out, so
// that text can only ever be text.
QString DocumentText(const std::string& utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QString result;
  result.reserve(text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == u'\n' || u == 0x2029) {
      result.append(QChar(QChar::LineSeparator));
    } else if (u == u'\t' || u == 0x2028) {
      result.append(c);
    } else if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
      continue;
    } else if ((u >= 0xFDD0 && u <= 0xFDEF) || u == 0xFFFC || u == 0xFFFE || u == 0xFFFF) {
      continue;
    } else {
      result.append(c);
    }
  }
  return result;
}

// Decodes an embedded picture, refusing one that declares more pixels than
// kMaxRenderedPicturePixels before any memory is taken for it.
QImage DecodePicture(const EmbeddedPicture& picture) {
  if (picture.bytes.empty()) return {};
  QByteArray data =
      QByteArray::fromRawData(picture.bytes.data(), static_cast<qsizetype>(picture.bytes.size()));
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, picture.format == EmbeddedPicture::Format::Png ? "png" : "jpeg");
  reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return {};
  if (static_cast<qint64>(size.width()) * size.height() > kMaxRenderedPicturePixels) return {};
  QImage image;
  if (!reader.read(&image)) return {};
  return image;
}

// The size a picture is shown at: what the document asks for, else its own,
// kept within kMaxRenderedPictureSide with its proportions.
QSizeF ShownSize(const EmbeddedPicture& picture, const QImage& image, double pixelsPerInch) {
  double w = image.width();
  double h = image.height();
  if (picture.widthTwips > 0 && picture.heightTwips > 0) {
    w = Pixels(picture.widthTwips, pixelsPerInch);
    h = Pixels(picture.heightTwips, pixelsPerInch);
  } else if (picture.widthTwips > 0) {
    w = Pixels(picture.widthTwips, pixelsPerInch);
    h = w * image.height() / image.width();
  } else if (picture.heightTwips > 0) {
    h = Pixels(picture.heightTwips, pixelsPerInch);
    w = h * image.width() / image.height();
  }
  const double scale = std::min({1.0, kMaxRenderedPictureSide / w, kMaxRenderedPictureSide / h});
  return {std::max(1.0, w * scale), std::max(1.0, h * scale)};
}

class Renderer {
 public:
  Renderer(const RichDocument& document, QTextDocument& target, double pixelsPerInch)
      : document_(document),
        target_(target),
        pixelsPerInch_(pixelsPerInch),
        pictures_(document.pictures.size()) {}

  void Run() {
    target_.clear();
    QTextCursor cursor(&target_);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph& paragraph : document_.paragraphs) {
      const QTextBlockFormat block = BlockFormat(paragraph, pixelsPerInch_);
      if (first) {
        cursor.setBlockFormat(block);
        first = false;
      } else {
        cursor.insertBlock(block, QTextCharFormat());
      }
      for (const TextRun& run : paragraph.runs) {
        if (run.picture) {
          InsertPicture(cursor, run);
        } else if (!run.text.empty()) {
          cursor.insertText(DocumentText(run.text), CharFormat(run));
        }
      }
    }
    cursor.endEditBlock();
  }

 private:
  void InsertPicture(QTextCursor& cursor, const TextRun& run) {
    const std::size_t index = *run.picture;
    if (index >= document_.pictures.size()) return;
    std::optional<Shown>& shown = pictures_[index];
    if (!shown) shown = Prepare(index);
    if (shown->name.isEmpty()) return;  // not a picture we can show
    QTextImageFormat format;
    format.merge(CharFormat(run));
    format.setName(shown->name);
    format.setWidth(shown->size.width());
    format.setHeight(shown->size.height());
    cursor.insertImage(format);
  }

  struct Shown {
    QString name;  // empty when the picture cannot be shown
    QSizeF size;
  };

  Shown Prepare(std::size_t index) {
    const EmbeddedPicture& picture = document_.pictures[index];
    QImage image = DecodePicture(picture);
    if (image.isNull()) return {};
    const QSizeF size = ShownSize(picture, image, pixelsPerInch_);
    // No need to keep more pixels than a sharp display of the shown size uses.
    const QSize keep = (size * 2).toSize();
    if (image.width() > keep.width() || image.height() > keep.height()) {
      image = image.scaled(keep, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QString name = QStringLiteral("vaticor-picture:%1").arg(index);
    target_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    return {name, size};
  }

  const RichDocument& document_;
  QTextDocument& target_;
  double pixelsPerInch_;
  std::vector<std::optional<Shown>> pictures_;
};

}  // namespace

void RenderRichDocument(const RichDocument& document, QTextDocument& target, double pixelsPerInch) {
  if (!(pixelsPerInch > 0) || !std::isfinite(pixelsPerInch)) pixelsPerInch = 96.0;
  Renderer(document, target, pixelsPerInch).Run();
}

void SetWholeTextPointSize(QTextDocument& target, double points) {
  QTextCursor cursor(&target);
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  QTextCharFormat size;
  size.setFontPointSize(points);
  cursor.mergeCharFormat(size);
  // Empty lines take their height from their block's format.
  cursor.mergeBlockCharFormat(size);
  cursor.endEditBlock();
}

}  // namespace vaticor
