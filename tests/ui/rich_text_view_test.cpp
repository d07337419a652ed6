#include "ui/viewer/rich_text_view.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <filesystem>
#include <limits>

#include "core/file_io.h"
#include "library/rtf_reader.h"
#include "support/corpus.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

TextRun Text(std::string text) {
  TextRun run;
  run.text = std::move(text);
  return run;
}

Paragraph Line(std::vector<TextRun> runs) {
  Paragraph paragraph;
  paragraph.runs = std::move(runs);
  return paragraph;
}

std::vector<QTextFragment> Fragments(const QTextBlock& block) {
  std::vector<QTextFragment> result;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    if (it.fragment().isValid()) result.push_back(it.fragment());
  }
  return result;
}

std::string PictureBytes(int w, int h, const char* format) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::darkBlue);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

TEST(RichTextView, ParagraphsKeepTheirAlignmentIndentsAndSpacing) {
  RichDocument document;
  Paragraph first = Line({Text("one")});
  first.align = Alignment::Centre;
  first.leftIndent = 1440;  // an inch: 96 pixels
  first.rightIndent = 720;
  first.firstLineIndent = -360;
  first.spaceBefore = 240;
  first.spaceAfter = 120;
  Paragraph second = Line({});
  second.align = Alignment::Justify;
  Paragraph third = Line({Text("three")});
  third.align = Alignment::Right;
  // Hanging out of the page and absurdly deep: held to the page.
  third.firstLineIndent = -5000;
  third.leftIndent = 2000000000;
  document.paragraphs = {first, second, third};

  QTextDocument target;
  RenderRichDocument(document, target);
  ASSERT_EQ(target.blockCount(), 3);
  EXPECT_EQ(target.toPlainText().toStdString(), "one\n\nthree");
  const QTextBlockFormat a = target.findBlockByNumber(0).blockFormat();
  EXPECT_EQ(a.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_DOUBLE_EQ(a.leftMargin(), 96);
  EXPECT_DOUBLE_EQ(a.rightMargin(), 48);
  EXPECT_DOUBLE_EQ(a.textIndent(), -24);
  EXPECT_DOUBLE_EQ(a.topMargin(), 16);
  EXPECT_DOUBLE_EQ(a.bottomMargin(), 8);
  EXPECT_EQ(target.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignJustify);
  const QTextBlockFormat c = target.findBlockByNumber(2).blockFormat();
  EXPECT_EQ(c.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_DOUBLE_EQ(c.leftMargin(), kMaxRenderedIndentTwips / 15.0);
  EXPECT_GE(c.leftMargin() + c.textIndent(), 0);

  // At another resolution the same twips are other pixels.
  RenderRichDocument(document, target, 144);
  EXPECT_DOUBLE_EQ(target.findBlockByNumber(0).blockFormat().leftMargin(), 144);
  // A render replaces what was there.
  RenderRichDocument(RichDocument{}, target);
  EXPECT_EQ(target.toPlainText().toStdString(), "");
}

TEST(RichTextView, RunsCarryTheirCharacterFormats) {
  TextRun plain = Text("plain ");
  TextRun styled = Text("styled");
  styled.font = "DejaVu Serif";
  styled.pointSize = 13.5;
  styled.bold = styled.italic = styled.underline = styled.strike = true;
  styled.colour = 0x8B0000;
  styled.highlight = 0xFFFF00;
  TextRun up = Text("2");
  up.script = Script::Super;
  TextRun down = Text("i");
  down.script = Script::Sub;
  TextRun huge = Text("huge");
  huge.pointSize = 1e9;
  TextRun nan = Text("nan");
  nan.pointSize = std::numeric_limits<double>::quiet_NaN();
  RichDocument document;
  document.paragraphs = {Line({plain, styled, up, down, huge, nan})};

  QTextDocument target;
  RenderRichDocument(document, target);
  const std::vector<QTextFragment> fragments = Fragments(target.firstBlock());
  ASSERT_EQ(fragments.size(), 6u);
  const QTextCharFormat p = fragments[0].charFormat();
  EXPECT_FALSE(p.hasProperty(QTextFormat::FontPointSize));
  EXPECT_FALSE(p.hasProperty(QTextFormat::FontFamilies));
  EXPECT_FALSE(p.hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_NE(p.fontWeight(), QFont::Bold);

  const QTextCharFormat s = fragments[1].charFormat();
  EXPECT_EQ(s.fontFamilies().toStringList(), QStringList{"DejaVu Serif"});
  EXPECT_DOUBLE_EQ(s.fontPointSize(), 13.5);
  EXPECT_EQ(s.fontWeight(), QFont::Bold);
  EXPECT_TRUE(s.fontItalic());
  EXPECT_TRUE(s.fontUnderline());
  EXPECT_TRUE(s.fontStrikeOut());
  EXPECT_EQ(s.foreground().color(), QColor(0x8B, 0, 0));
  EXPECT_EQ(s.background().color(), QColor(0xFF, 0xFF, 0));
  EXPECT_EQ(fragments[2].charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
  EXPECT_EQ(fragments[3].charFormat().verticalAlignment(), QTextCharFormat::AlignSubScript);
  EXPECT_DOUBLE_EQ(fragments[4].charFormat().fontPointSize(), kMaxRenderedPointSize);
  EXPECT_FALSE(fragments[5].charFormat().hasProperty(QTextFormat::FontPointSize));
}

TEST(RichTextView, TextIsOnlyEverText) {
  RichDocument document;
  document.paragraphs = {
      Line({Text("<b>not bold</b> &amp; <img src=\"/etc/x.png\">")}),
      // A line break stays inside its paragraph; the characters the
      // document keeps for its own structure never get in.
      Line({Text(std::string("a\nb\tc\r\x01") + "\xEF\xB7\x90" + "\xEF\xBF\xBC" + "\xE2\x80\xA9" +
                 "d")}),
  };
  QTextDocument target;
  RenderRichDocument(document, target);
  ASSERT_EQ(target.blockCount(), 2);
  EXPECT_EQ(target.firstBlock().text().toStdString(),
            "<b>not bold</b> &amp; <img src=\"/etc/x.png\">");
  EXPECT_EQ(target.findBlockByNumber(1).text(), QString("a") + QChar(QChar::LineSeparator) +
                                                    "b\tc" + QChar(QChar::LineSeparator) + "d");
  EXPECT_EQ(target.rootFrame()->childFrames().size(), 0);
  EXPECT_FALSE(target.findBlockByNumber(0).charFormat().isImageFormat());
  for (const QTextFragment& fragment : Fragments(target.findBlockByNumber(1))) {
    EXPECT_FALSE(fragment.charFormat().isImageFormat());
  }
}

TEST(RichTextView, EmbeddedPicturesAreShownAtTheSizeTheDocumentAsks) {
  RichDocument document;
  document.pictures.push_back({EmbeddedPicture::Format::Png, PictureBytes(40, 20, "PNG"), 0, 0});
  document.pictures.push_back(
      {EmbeddedPicture::Format::Jpeg, PictureBytes(40, 20, "JPEG"), 1440, 720});
  document.pictures.push_back({EmbeddedPicture::Format::Png, PictureBytes(30, 60, "PNG"), 0, 1440});
  document.pictures.push_back({EmbeddedPicture::Format::Png, "\x89PNG broken", 0, 0});
  TextRun picture;
  std::vector<TextRun> runs;
  for (std::size_t index : {0u, 1u, 2u, 3u, 7u, 0u}) {
    picture.picture = index;
    runs.push_back(picture);
  }
  document.paragraphs = {Line(runs)};

  QTextDocument target;
  RenderRichDocument(document, target);
  std::vector<QTextImageFormat> images;
  for (const QTextFragment& fragment : Fragments(target.firstBlock())) {
    if (fragment.charFormat().isImageFormat()) {
      for (int i = 0; i < fragment.length(); ++i)
        images.push_back(fragment.charFormat().toImageFormat());
    }
  }
  // The broken picture and the index beyond the list show nothing.
  ASSERT_EQ(images.size(), 4u);
  EXPECT_DOUBLE_EQ(images[0].width(), 40);
  EXPECT_DOUBLE_EQ(images[0].height(), 20);
  EXPECT_DOUBLE_EQ(images[1].width(), 96);
  EXPECT_DOUBLE_EQ(images[1].height(), 48);
  EXPECT_DOUBLE_EQ(images[2].width(), 48);  // proportions kept from the height
  EXPECT_DOUBLE_EQ(images[2].height(), 96);
  EXPECT_EQ(images[3].name(), images[0].name());
  const QVariant stored = target.resource(QTextDocument::ImageResource, QUrl(images[1].name()));
  ASSERT_EQ(stored.typeId(), QMetaType::QImage);
  EXPECT_EQ(stored.value<QImage>().size(), QSize(40, 20));
}

TEST(RichTextView, APictureThatClaimsTooManyPixelsIsRefusedUnread) {
  // A PNG header declaring 100000 x 100000 pixels and no data.
  std::string png = PictureBytes(1, 1, "PNG");
  auto put32 = [&png](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) png[at + i] = static_cast<char>(value >> (24 - 8 * i));
  };
  put32(16, 100000);
  put32(20, 100000);
  // The header's CRC-32 (over the chunk's type and data) made right again.
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 12; i < 29; ++i) {
    crc ^= static_cast<unsigned char>(png[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  put32(29, ~crc);
  RichDocument document;
  document.pictures.push_back({EmbeddedPicture::Format::Png, png, 0, 0});
  TextRun run;
  run.picture = 0;
  document.paragraphs = {Line({Text("before"), run, Text("after")})};
  QTextDocument target;
  RenderRichDocument(document, target);
  EXPECT_EQ(target.toPlainText().toStdString(), "beforeafter");

  // A huge shown size is held to the largest side, proportions kept.
  document.pictures[0] = {EmbeddedPicture::Format::Png, PictureBytes(10, 5, "PNG"), 1440 * 100,
                          1440 * 50};
  RenderRichDocument(document, target);
  const QTextImageFormat image = Fragments(target.firstBlock())[1].charFormat().toImageFormat();
  EXPECT_DOUBLE_EQ(image.width(), kMaxRenderedPictureSide);
  EXPECT_DOUBLE_EQ(image.height(), kMaxRenderedPictureSide / 2);
}

TEST(RichTextView, OneSizeForTheWholeTextReachesEmptyLinesToo) {
  TextRun big = Text("big");
  big.pointSize = 30;
  TextRun small = Text("small");
  small.pointSize = 9;
  small.script = Script::Super;
  RichDocument document;
  document.paragraphs = {Line({big}), Line({}), Line({small, Text("default")})};
  QTextDocument target;
  RenderRichDocument(document, target);
  SetWholeTextPointSize(target, 14);
  for (QTextBlock block = target.begin(); block.isValid(); block = block.next()) {
    EXPECT_DOUBLE_EQ(block.charFormat().fontPointSize(), 14) << block.blockNumber();
    for (const QTextFragment& fragment : Fragments(block)) {
      EXPECT_DOUBLE_EQ(fragment.charFormat().fontPointSize(), 14);
    }
  }
  // Other formats stay.
  EXPECT_EQ(Fragments(target.findBlockByNumber(2))[0].charFormat().verticalAlignment(),
            QTextCharFormat::AlignSuperScript);
  EXPECT_EQ(target.toPlainText().toStdString(), "big\n\nsmalldefault");
}

// Real documents from other programs go through the reader and the
// renderer whole, and the text they hold comes out.
TEST(RichTextView, RendersTheSharedRtfCorpus) {
  REQUIRE_CORPUS("rtf");
  const std::string corpus = testing::CorpusDir();
  int rendered = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus + "/rtf")) {
    if (!entry.is_regular_file() || entry.path().extension() != ".rtf") continue;
    const std::optional<std::string> bytes =
        ReadFilePrefix(entry.path().string(), kMaxDescriptionBytes);
    ASSERT_TRUE(bytes);
    const RichDocument document = ReadDescriptionDocument(*bytes);
    QTextDocument target;
    RenderRichDocument(document, target);
    SetWholeTextPointSize(target, 8);
    EXPECT_EQ(target.blockCount(), std::max<int>(1, static_cast<int>(document.paragraphs.size())))
        << entry.path();
    ++rendered;
  }
  EXPECT_GT(rendered, 20);
}

}  // namespace
}  // namespace vaticor
