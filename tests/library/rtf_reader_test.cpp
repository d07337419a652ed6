#include "library/rtf_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/text_encoding.h"
#include "support/corpus.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::CorpusDir;
using testing::ReadAll;

std::string Text(std::string_view rtf) { return PlainText(ReadRtf(rtf)); }

// Every run of a document, in order.
std::vector<TextRun> Runs(const RichDocument& document) {
  std::vector<TextRun> runs;
  for (const Paragraph& paragraph : document.paragraphs) {
    runs.insert(runs.end(), paragraph.runs.begin(), paragraph.runs.end());
  }
  return runs;
}

// The run holding `text`, or an empty run when none does.
TextRun RunWith(const RichDocument& document, std::string_view text) {
  for (const TextRun& run : Runs(document)) {
    if (run.text.find(text) != std::string::npos) return run;
  }
  ADD_FAILURE() << "no run holds \"" << text << "\"";
  return {};
}

std::size_t ResultBytes(const RichDocument& document) {
  std::size_t bytes = 0;
  for (const TextRun& run : Runs(document)) bytes += run.text.size() + sizeof(TextRun);
  return bytes + document.paragraphs.size() * sizeof(Paragraph);
}

// White space runs (table separators included) as one space.
std::string Squeeze(std::string_view text) {
  std::string out;
  bool space = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool isSpace = text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                         text[i] == '|' || text.substr(i, 2) == "\xC2\xA0";
    if (isSpace) {
      if (text.substr(i, 2) == "\xC2\xA0") ++i;
      space = true;
      continue;
    }
    if (space && !out.empty()) out.push_back(' ');
    space = false;
    out.push_back(text[i]);
  }
  return out;
}

// --- structure and formatting ----------------------------------------------

TEST(RtfStructure, ParagraphsLineBreaksTabsAndGroups) {
  const RichDocument doc =
      ReadRtf("{\\rtf1\\ansi one\\tab two\\line three\\par\n\\par {four}\r\n five}");
  EXPECT_TRUE(doc.fromRtf);
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_EQ(PlainText(doc.paragraphs[0]), "one\ttwo\nthree");
  EXPECT_TRUE(doc.paragraphs[1].runs.empty());  // a blank line
  EXPECT_EQ(PlainText(doc.paragraphs[2]), "four five");
  // Line ends in the file are no text; "\" before one is a paragraph break.
  EXPECT_EQ(Text("{\\rtf1 a\r\nb\\\r\nc\\\rd}"), "ab\nc\nd");
}

TEST(RtfStructure, CharacterFormattingFollowsGroupsAndPlain) {
  const RichDocument doc = ReadRtf(
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss\\fcharset0 "
      "Arial;}}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
      "\\fs20 plain {\\b\\i both {\\ul\\strike\\f1\\fs37 inner}\\b0 italic} "
      "\\cf1\\highlight2 red\\cf0\\highlight0 \\cb1 back\\plain  reset \\ul on\\ul0 off \\ul "
      "on\\ulnone off2 "
      "{\\super up}{\\sub down}\\b1 B\\b0}");
  const TextRun plain = RunWith(doc, "plain");
  EXPECT_EQ(plain.font, "Times New Roman");  // \deff0
  EXPECT_EQ(plain.pointSize, 10);
  EXPECT_FALSE(plain.bold || plain.italic || plain.underline || plain.strike);

  const TextRun both = RunWith(doc, "both");
  EXPECT_TRUE(both.bold && both.italic);
  const TextRun inner = RunWith(doc, "inner");
  EXPECT_TRUE(inner.bold && inner.italic && inner.underline && inner.strike);
  EXPECT_EQ(inner.font, "Arial");
  EXPECT_EQ(inner.pointSize, 18.5);
  const TextRun italic = RunWith(doc, "italic");
  EXPECT_FALSE(italic.bold);
  EXPECT_TRUE(italic.italic);
  EXPECT_FALSE(italic.underline);

  const TextRun red = RunWith(doc, "red");
  EXPECT_EQ(red.colour, 0xFF0000u);
  EXPECT_EQ(red.highlight, 0x0080FFu);
  const TextRun back = RunWith(doc, "back");
  EXPECT_EQ(back.colour, std::nullopt);  // \cf0: the colour table's "auto"
  EXPECT_EQ(back.highlight, 0xFF0000u);  // \cb when there is no \highlight

  const TextRun reset = RunWith(doc, "reset");
  EXPECT_EQ(reset.pointSize, 0);
  EXPECT_EQ(reset.highlight, std::nullopt);
  EXPECT_EQ(reset.font, "Times New Roman");
  EXPECT_TRUE(RunWith(doc, "on").underline);
  EXPECT_FALSE(RunWith(doc, "off").underline);
  EXPECT_FALSE(RunWith(doc, "off2").underline);
  EXPECT_EQ(RunWith(doc, "up").script, Script::Super);
  EXPECT_EQ(RunWith(doc, "down").script, Script::Sub);
  EXPECT_TRUE(RunWith(doc, "B").bold);
}

TEST(RtfStructure, RunsJoinWhileTheFormatStaysTheSame) {
  const RichDocument doc = ReadRtf("{\\rtf1 a{b}\\b0 c{\\i d}e\\'41}");
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  ASSERT_EQ(doc.paragraphs[0].runs.size(), 3u);
  EXPECT_EQ(doc.paragraphs[0].runs[0].text, "abc");
  EXPECT_EQ(doc.paragraphs[0].runs[1].text, "d");
  EXPECT_EQ(doc.paragraphs[0].runs[2].text, "eA");
}

TEST(RtfStructure, ParagraphFormattingAndPard) {
  const RichDocument doc = ReadRtf(
      "{\\rtf1 \\qc\\li720\\ri360\\fi-240\\sb120\\sa240 centred\\par "
      "still centred\\par"
      "\\pard\\qr right\\par\\qj justified\\par\\pard\\ql\\li-99999 left\\par"
      "{\\pard\\qc grouped\\par}after}");
  ASSERT_EQ(doc.paragraphs.size(), 7u);
  const Paragraph& centred = doc.paragraphs[0];
  EXPECT_EQ(centred.align, Alignment::Centre);
  EXPECT_EQ(centred.leftIndent, 720);
  EXPECT_EQ(centred.rightIndent, 360);
  EXPECT_EQ(centred.firstLineIndent, -240);
  EXPECT_EQ(centred.spaceBefore, 120);
  EXPECT_EQ(centred.spaceAfter, 240);
  Paragraph same = centred;
  same.runs = doc.paragraphs[1].runs;
  EXPECT_EQ(doc.paragraphs[1], same);  // formatting lasts until \pard
  EXPECT_EQ(doc.paragraphs[2].align, Alignment::Right);
  EXPECT_EQ(doc.paragraphs[2].leftIndent, 0);  // \pard
  EXPECT_EQ(doc.paragraphs[3].align, Alignment::Justify);
  EXPECT_EQ(doc.paragraphs[4].align, Alignment::Left);
  EXPECT_EQ(doc.paragraphs[4].leftIndent, -31680);  // held to Word's limit
  EXPECT_EQ(doc.paragraphs[5].align, Alignment::Centre);
  // The group restored the paragraph formatting; the open last paragraph
  // keeps the formatting its text was written in.
  EXPECT_EQ(PlainText(doc.paragraphs[6]), "after");
  EXPECT_EQ(doc.paragraphs[6].align, Alignment::Left);
}

TEST(RtfStructure, TableRowsReadAsTabSeparatedLines) {
  const RichDocument doc = ReadRtf(
      "{\\rtf1 \\trowd\\cellx1000\\cellx2000\\cellx3000 \\intbl a\\cell\\cell c\\cell\\row"
      "\\trowd\\intbl d\\cell e\\cell f\\cell\\row after\\par}");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_EQ(PlainText(doc.paragraphs[0]), "a\t\tc");
  EXPECT_EQ(PlainText(doc.paragraphs[1]), "d\te\tf");
  EXPECT_EQ(PlainText(doc.paragraphs[2]), "after");
}

TEST(RtfStructure, SpecialCharactersAndEscapes) {
  EXPECT_EQ(Text("{\\rtf1 a\\~b\\-c\\_d\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote"
                 "\\bullet\\emspace\\enspace\\qmspace\\\\\\{\\}}"),
            "a\xC2\xA0"
            "bc\u2011d\u2014\u2013\u2018\u2019\u201C\u201D\u2022\u2003\u2002\u2005\\{}");
  // Hidden text is not shown; unknown control words are dropped, their
  // delimiting space with them.
  EXPECT_EQ(Text("{\\rtf1 seen{\\v hidden}\\v gone\\v0  \\madeupword shown}"), "seen shown");
}

// --- code pages ------------------------------------------------------------

TEST(RtfCodePages, DocumentCodePageAndFontCharsets) {
  // No \fcharset: the document's code page.
  EXPECT_EQ(
      Text(
          "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Times;}}\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"),
      "Привет");
  // A font's character set wins over the document's code page.
  const std::string table =
      "{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial Cyr;}{\\f2\\fcharset238 Arial "
      "CE;}"
      "{\\f3\\fcharset161 Greek;}{\\f4\\fcharset162 Tur;}{\\f5\\fcharset177 "
      "Heb;}{\\f6\\fcharset186 Baltic;}"
      "{\\f7\\fcharset222 Thai;}{\\f8\\fcharset1 Default;}{\\f9\\fcharset178 "
      "Arabic;}{\\f10\\fcharset163 Viet;}}";
  const std::string doc =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0" + table +
      "\\'e9|{\\f1\\'e9}|{\\f2\\'b9}|{\\f3\\'e1}|{\\f4\\'fe}|{\\f5\\'e0}|{\\f6\\'e0}|"
      "{\\f7\\'a1}|{\\f8\\'e9}|{\\f9\\'c7}|{\\f10\\'f5}}";
  EXPECT_EQ(Text(doc), "é|й|ą|α|ş|א|ą|ก|é|ا|ơ");
  // The same fonts in a Cyrillic document: charset 0 is still Windows-1252,
  // DEFAULT_CHARSET follows the document.
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251" + table + "\\f0\\'e9|\\f8\\'e9}"), "é|й");
}

TEST(RtfCodePages, DocumentCharacterSetDefaults) {
  EXPECT_EQ(Text("{\\rtf1\\ansi \\'e9\\'80}"), "é€");
  EXPECT_EQ(Text("{\\rtf1\\mac \\'8e\\'a5}"), "é•");
  EXPECT_EQ(Text("{\\rtf1\\pc \\'82\\'b0}"), "é░");
  EXPECT_EQ(Text("{\\rtf1\\pca \\'82\\'d5}"), "éı");
  EXPECT_EQ(Text("{\\rtf1\\mac\\ansicpg10007 \\'80}"), "А");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg866 \\'80\\'af}"), "Ап");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg874 \\'a1}"), "ก");
  // Code pages no document uses (EBCDIC among them) leave the default.
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg37 \\'e9}"), "é");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg0 \\'e9}"), "é");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg99999999 \\'e9}"), "é");
  // A font's \cpg names its code page outright.
  EXPECT_EQ(Text("{\\rtf1\\ansi{\\fonttbl{\\f0\\cpg1253 G;}}\\f0 \\'e1}"), "α");
}

TEST(RtfCodePages, BytesACodePageCannotConvertReadAsReplacement) {
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 a\\'98b}"), "a\uFFFDb");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1252 \\'81}"), "\uFFFD");
  // NUL bytes are dropped, literal or escaped.
  EXPECT_EQ(Text(std::string("{\\rtf1 a\0b\\'00c}", 15)), "abc");
}

TEST(RtfCodePages, DoubleByteCodePages) {
  const std::string sjis =
      "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 ";
  EXPECT_EQ(Text(sjis + "\\'82\\'b1\\'82\\'f1\\'82\\'c9\\'82\\'bf\\'82\\'cd}"), "こんにちは");
  // A trail byte may be written as a plain character; ASCII stays ASCII.
  EXPECT_EQ(Text(sjis + "a\\'83e\\'83\\\\b}"), "aテソb");
  // A lead byte without its trail byte.
  EXPECT_EQ(Text(sjis + "\\'82\\par x}"), "\uFFFD\nx");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}"), "中文");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1}"), "한");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4}"), "中");
}

TEST(RtfCodePages, FontNamesReadInTheirOwnCharacterSet) {
  const RichDocument doc = ReadRtf(
      "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fnil\\fcharset134{\\*\\panose "
      "02010600030101010101}"
      "\\'cb\\'ce\\'cc\\'e5{\\*\\falt SimSun};}{\\f1\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb  ;}"
      "\\f2\\fnil A very long font family name that goes on and on;\\f3 Plain;}"
      "\\f0 x\\f1 y\\f2 z\\f3 w}");
  EXPECT_EQ(RunWith(doc, "x").font, "宋体");
  EXPECT_EQ(RunWith(doc, "y").font, "Ариал");
  EXPECT_EQ(RunWith(doc, "z").font, "A very long font family name th");  // 31 bytes at most
  EXPECT_EQ(RunWith(doc, "w").font, "Plain");
}

TEST(RtfCodePages, SymbolFontsShowTheirCharacters) {
  const std::string table =
      "{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\froman\\fcharset2 Symbol;}{\\f2 Symbol;}"
      "{\\f3\\fcharset2 Wingdings;}{\\f4\\fcharset2 Marlett;}}";
  EXPECT_EQ(Text("{\\rtf1\\ansi" + table + "{\\f1 abg\\'b7\\'a5}{\\f2 p}{\\f1\\u61623?}}"),
            "αβγ•∞π•");
  EXPECT_EQ(Text("{\\rtf1\\ansi" + table + "{\\f3 \\'fc}}"), "✔");
  // List bullets in fonts without a known table are still bullets.
  EXPECT_EQ(Text("{\\rtf1\\ansi" + table + "{\\pntext\\f4 \\'a7\\tab}item}"), "•\titem");
  EXPECT_EQ(Text("{\\rtf1\\ansi" + table + "{\\listtext\\f4 \\u61607?\\tab}item}"), "•\titem");
}

// --- Unicode ---------------------------------------------------------------

TEST(RtfUnicode, FallbackCharactersAreSkipped) {
  EXPECT_EQ(Text("{\\rtf1 \\u1055?\\u1088?}"), "Пр");  // \uc1 by default
  EXPECT_EQ(Text("{\\rtf1 \\uc0\\u1055 \\u1088 x}"), "Прx");
  EXPECT_EQ(Text("{\\rtf1 \\uc2\\u24180\\'94\\'4e abc}"), "年 abc");  // escapes count one each
  EXPECT_EQ(Text("{\\rtf1 \\uc2\\u8212\\emdash x-y}"), "—-y");        // a control word counts one
  EXPECT_EQ(Text("{\\rtf1 \\uc3\\u1055 ab}cd}"), "П");                // a brace ends the skipping
  EXPECT_EQ(Text("{\\rtf1 {\\uc3\\u1055 ab}cd}"), "Пcd");
  // \uc belongs to its group.
  EXPECT_EQ(Text("{\\rtf1 {\\uc0\\u1055}\\u1088?x}"), "Прx");
  // The fallback of a \bin-using word is skipped with its data.
  EXPECT_EQ(Text("{\\rtf1 \\u1055\\bin3 }}}x}"), "Пx");
}

TEST(RtfUnicode, NegativeValuesAndSurrogates) {
  EXPECT_EQ(Text("{\\rtf1 \\u-3913?}"), "\uF0B7");
  EXPECT_EQ(Text("{\\rtf1 \\u-10179?\\u-8701?}"), "😃");
  // Halves in separate groups still pair.
  EXPECT_EQ(Text("{\\rtf1 {\\u-10179?}{\\u-8701?}}"), "😃");
  EXPECT_EQ(Text("{\\rtf1 \\uc0 a\\u-10240 b}"), "a\uFFFDb");              // high half alone
  EXPECT_EQ(Text("{\\rtf1 \\uc0 a\\u-9216 b}"), "a\uFFFDb");               // low half alone
  EXPECT_EQ(Text("{\\rtf1 \\uc0 \\u-9216\\u-10240 b}"), "\uFFFD\uFFFDb");  // wrong order
  EXPECT_EQ(Text("{\\rtf1 \\uc0 \\u-10240\\u-10240\\u-9216}"), "\uFFFD𐀀");
  EXPECT_EQ(Text("{\\rtf1 \\uc0 a\\u-10240}"), "a\uFFFD");            // at the end
  EXPECT_EQ(Text("{\\rtf1 \\uc0 a\\u-10240\\par b}"), "a\uFFFD\nb");  // before a break
  // Out of range; whole code points beyond U+FFFF as some writers give them.
  EXPECT_EQ(Text("{\\rtf1 \\uc0 \\u-99999 \\u1114112 \\u128512 }"), "\uFFFD\uFFFD😀");
  // Control characters are not text.
  EXPECT_EQ(Text("{\\rtf1 \\uc0 a\\u0 \\u7 \\u28 b}"), "ab");
}

// --- destinations ----------------------------------------------------------

TEST(RtfDestinations, TextOfTablesAndHiddenDestinationsNeverShows) {
  const std::string doc =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 FONTNAME;}}{\\colortbl;\\red1\\green2\\blue3;}"
      "{\\stylesheet{\\s0 STYLENAME;}}{\\info{\\title INFOTITLE}{\\author AUTHOR}}"
      "{\\*\\generator GENERATOR;}{\\*\\unknowndest {\\b UNKNOWN}}{\\*\\bkmkstart BOOKMARK}"
      "{\\header HEADER}{\\footerr FOOTER}{\\listtable{\\list LISTTABLE}}{\\revtbl{REVTBL;}}"
      "{\\*\\themedata 0102}{\\*\\datastore 0304}{\\*\\latentstyles LATENT}{\\pn PN{\\pntxtb "
      "PNTXT}}"
      "{\\field{\\*\\fldinst HYPERLINK \"http://FLDINST\"}{\\fldrslt shown link}}"
      "{\\field{\\fldinst PAGE}{\\fldrslt 7}} {\\object{\\*\\objclass OBJCLASS}{\\objdata 0a0b}"
      "{\\result object result}}{\\*\\ud unicode part}body\\par}";
  const std::string text = Text(doc);
  EXPECT_EQ(text, "shown link7 object resultunicode partbody");
  for (const char* hidden :
       {"FONTNAME", "STYLENAME", "INFOTITLE", "AUTHOR", "GENERATOR", "UNKNOWN", "BOOKMARK",
        "HEADER", "FOOTER", "LISTTABLE", "REVTBL", "PNTXT", "FLDINST", "PAGE", "OBJCLASS"}) {
    EXPECT_EQ(text.find(hidden), std::string::npos) << hidden;
  }
}

TEST(RtfDestinations, ListTextShowsAndOldStyleNumberingDoesNot) {
  EXPECT_EQ(Text("{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}one\\par"
                 "{\\listtext\\pard\\plain 2.\\tab}\\ls1 two\\par}"),
            "1.\tone\n2.\ttwo");
}

TEST(RtfDestinations, FootnotesFollowTheBodyWithTheirNumbers) {
  const RichDocument doc = ReadRtf(
      "{\\rtf1 Text{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} First note.}"
      " more{\\super\\chftn}{\\footnote {\\super\\chftn} Second\\par note.} end.\\par "
      "Last paragraph\\par}");
  ASSERT_EQ(doc.paragraphs.size(), 5u);
  EXPECT_EQ(PlainText(doc.paragraphs[0]), "Text1 more2 end.");
  EXPECT_EQ(RunWith(doc, "2").script, Script::Super);
  EXPECT_EQ(PlainText(doc.paragraphs[1]), "Last paragraph");
  EXPECT_EQ(PlainText(doc.paragraphs[2]), "1 First note.");
  EXPECT_EQ(PlainText(doc.paragraphs[3]), "2 Second");
  EXPECT_EQ(PlainText(doc.paragraphs[4]), "note.");
}

TEST(RtfDestinations, ShapeTextShowsOnce) {
  EXPECT_EQ(Text("{\\rtf1 a {\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn shapeType}{\\sv 202}}"
                 "{\\shptxt Box text}}{\\shprslt{\\*\\do\\dptxbx{\\dptxbxtext Box text}}}} b}"),
            "a Box text b");
  // Word's picture and its older stand-in: only the first is read.
  const RichDocument doc = ReadRtf(
      "{\\rtf1{\\*\\shppict{\\pict\\pngblip 89504e470d0a1a0a00}}{\\nonshppict{\\pict\\wmetafile8 "
      "0102}}}");
  EXPECT_EQ(doc.pictures.size(), 1u);
}

TEST(RtfDestinations, NestedDocumentIsAGroup) {
  EXPECT_EQ(Text("{\\rtf1\\ansi outer {\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 inner\\par} tail}"),
            "outer inner\n tail");
}

// --- \bin and pictures -------------------------------------------------------

TEST(RtfBinary, BinSkipsExactlyItsBytes) {
  EXPECT_EQ(Text("{\\rtf1 a{\\*\\blob\\bin6 }{\\x\\}b}c}"), "ac");
  EXPECT_EQ(Text("{\\rtf1 a\\bin5 \\par}b}"), "ab");
  EXPECT_EQ(Text("{\\rtf1 a\\bin0 b}"), "ab");
  EXPECT_EQ(Text("{\\rtf1 a\\bin b}"), "ab");  // no count: nothing to skip
  EXPECT_EQ(Text("{\\rtf1 a\\bin-5 b}"), "ab");
  // Lengths beyond the file take what remains.
  EXPECT_EQ(Text("{\\rtf1 a\\bin999999999 bc}"), "a");
  EXPECT_EQ(Text("{\\rtf1 a\\bin9999999999 bc}"), "a");
  // Eleven digits are too many for a parameter: the word is ignored.
  EXPECT_EQ(Text("{\\rtf1 a\\bin99999999999 bc}"), "abc");
}

TEST(RtfPictures, PngAndJpegPicturesAreKept) {
  const std::string png = "89504e470d0a1a0a0000000d49484452";
  const RichDocument doc = ReadRtf(
      "{\\rtf1 before{\\pict\\pngblip\\picw10\\pich20\\picwgoal1440\\pichgoal720\\picscalex50 " +
      png +
      "}{\\pict\\jpegblip\\picw4\\pich2 ff d8\nff e0}{\\pict\\jpegblip\\picw4\\pich2\\bin4 "
      "\xFF\xD8\xFF\xDB}"
      "{\\pict\\wmetafile8\\picw4\\pich2 0102}{\\pict\\pngblip ffd8ffe1}{\\pict\\pngblip 00112233}"
      "{\\pict\\pngblip }after}");
  ASSERT_EQ(doc.pictures.size(), 4u);
  EXPECT_EQ(doc.pictures[0].format, EmbeddedPicture::Format::Png);
  EXPECT_EQ(doc.pictures[0].bytes.size(), png.size() / 2);
  EXPECT_EQ(doc.pictures[0].widthTwips, 720);
  EXPECT_EQ(doc.pictures[0].heightTwips, 720);
  EXPECT_EQ(doc.pictures[1].format, EmbeddedPicture::Format::Jpeg);
  EXPECT_EQ(doc.pictures[1].bytes, "\xFF\xD8\xFF\xE0");
  EXPECT_EQ(doc.pictures[1].widthTwips, 60);  // pixels at 96 per inch
  EXPECT_EQ(doc.pictures[1].heightTwips, 30);
  EXPECT_EQ(doc.pictures[2].bytes, "\xFF\xD8\xFF\xDB");  // binary data
  // The bytes decide the kind; bytes of neither kind are left out, as are
  // metafiles.
  EXPECT_EQ(doc.pictures[3].format, EmbeddedPicture::Format::Jpeg);
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  const std::vector<TextRun>& runs = doc.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0].text, "before");
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(runs[i + 1].picture, i);
  EXPECT_EQ(runs[5].text, "after");
  EXPECT_EQ(PlainText(doc), "before\uFFFC\uFFFC\uFFFC\uFFFCafter");
}

// --- damaged and hostile input ---------------------------------------------

TEST(RtfHostile, DamagedDocumentsGiveTheirText) {
  EXPECT_EQ(Text(""), "");
  EXPECT_EQ(Text("{"), "");
  EXPECT_EQ(Text("junk{\\rtf1 text}junk"), "text");
  EXPECT_EQ(Text("{\\rtf1 text}}}more"), "text");
  EXPECT_EQ(Text("{\\rtf1 a{\\b b{\\i c"), "abc");  // truncated
  EXPECT_EQ(Text("{\\rtf1 a\\"), "a");
  EXPECT_EQ(Text("{\\rtf1 a\\'"), "a");
  EXPECT_EQ(Text("{\\rtf1 a\\'4"), "a");  // one hex digit: a control byte
  EXPECT_EQ(Text("{\\rtf1 a\\u"), "a");
  EXPECT_EQ(Text("{\\rtf1 a\\u-"), "a");
  EXPECT_EQ(Text("{\\rtf1 a{\\*"), "a");
  EXPECT_EQ(Text("no braces at all"), "no braces at all");
}

TEST(RtfHostile, DeepNestingIsFlattenedAndKeepsItsText) {
  const std::size_t depth = 100'000;
  const std::string doc = "{\\rtf1 start" + std::string(depth, '{') +
                          "deep{\\*\\hidden x}\\b bold" + std::string(depth, '}') + " end}";
  const RichDocument read = ReadRtf(doc);
  EXPECT_EQ(PlainText(read), "startdeepxbold end");
  // Unclosed, too.
  EXPECT_EQ(Text("{\\rtf1 a" + std::string(depth, '{') + "b"), "ab");
  // A million empty groups.
  std::string groups = "{\\rtf1 a";
  for (int i = 0; i < 1'000'000; ++i) groups += "{}";
  EXPECT_EQ(Text(groups + "b}"), "ab");
}

TEST(RtfHostile, HugeControlWordsAreIgnored) {
  const std::string word(10 * 1024 * 1024, 'x');
  EXPECT_EQ(Text("{\\rtf1 a\\" + word + " b}"), "ab");
  EXPECT_EQ(Text("{\\rtf1 a\\" + word + "123456789012345678901234567890 b}"), "ab");
  EXPECT_EQ(Text("{\\rtf1 a\\fs" + std::string(100'000, '9') + " b}"), "ab");
  // 32 letters is the longest name read.
  EXPECT_EQ(Text("{\\rtf1 \\" + std::string(32, 'q') + " a\\" + std::string(33, 'q') + " b}"),
            "ab");
  // A huge parameter held to the limits of what it sets.
  const RichDocument doc = ReadRtf("{\\rtf1 \\fs2147483647 a\\fs-5 b\\uc2147483647\\u1055 cd}");
  EXPECT_EQ(RunWith(doc, "a").pointSize, 1638);
  EXPECT_EQ(RunWith(doc, "b").pointSize, 0);
}

TEST(RtfHostile, ResultStaysWithinASmallMultipleOfTheInput) {
  // Paragraph breaks, format changes and fonts are rationed; the text itself
  // comes through.
  std::string pars = "{\\rtf1 ";
  for (int i = 0; i < 1'000'000; ++i) pars += "\\par";
  pars += " tail}";
  const RichDocument manyPars = ReadRtf(pars);
  EXPECT_LE(manyPars.paragraphs.size(), 10'000 + pars.size() / 16 + 1);
  EXPECT_NE(PlainText(manyPars).find("tail"), std::string::npos);
  EXPECT_LT(ResultBytes(manyPars), 16 * pars.size());

  std::string runs = "{\\rtf1{\\fonttbl{\\f1 " + std::string(200, 'F') + ";}}";
  for (int i = 0; i < 300'000; ++i) runs += (i % 2) ? "\\b0\\f0 a" : "\\b\\f1 a";
  runs += "}";
  const RichDocument manyRuns = ReadRtf(runs);
  EXPECT_EQ(PlainText(manyRuns), std::string(300'000, 'a'));
  EXPECT_LT(ResultBytes(manyRuns), 16 * runs.size());

  std::string lines(3'000'000, '\n');
  lines += "last";
  const RichDocument manyLines = ReadDescriptionDocument(lines);
  EXPECT_LT(ResultBytes(manyLines), 16 * lines.size());
  EXPECT_EQ(PlainText(manyLines).size(), lines.size());
}

TEST(RtfHostile, DocumentsAreReadUpToTheSizeLimit) {
  const std::string doc = "{\\rtf1 " + std::string(kMaxDescriptionBytes - 9, 'a') + "ENDMARK}";
  const std::string text = Text(doc);
  EXPECT_EQ(text.size(), kMaxDescriptionBytes - 7);
  EXPECT_TRUE(text.ends_with("aEN"));
}

// --- plain text ------------------------------------------------------------

TEST(PlainTextDocuments, RtfIsRecognisedOnlyAtTheStart) {
  EXPECT_TRUE(ReadDescriptionDocument("{\\rtf1 a}").fromRtf);
  EXPECT_TRUE(ReadDescriptionDocument("\xEF\xBB\xBF \r\n\t{\\rtf1 a}").fromRtf);
  EXPECT_EQ(PlainText(ReadDescriptionDocument("\xEF\xBB\xBF{\\rtf1 a}")), "a");
  const RichDocument text = ReadDescriptionDocument("x{\\rtf1 a}");
  EXPECT_FALSE(text.fromRtf);
  EXPECT_EQ(PlainText(text), "x{\\rtf1 a}");
  EXPECT_FALSE(ReadDescriptionDocument("{\\RTF1 a}").fromRtf);
}

TEST(PlainTextDocuments, LinesAreParagraphsInAnyLineEnding) {
  const RichDocument doc = ReadDescriptionDocument("one\r\ntwo\nthree\rfour\n\nsix\tcol\n");
  ASSERT_EQ(doc.paragraphs.size(), 6u);
  EXPECT_EQ(PlainText(doc.paragraphs[0]), "one");
  EXPECT_EQ(PlainText(doc.paragraphs[3]), "four");
  EXPECT_TRUE(doc.paragraphs[4].runs.empty());
  EXPECT_EQ(PlainText(doc.paragraphs[5]), "six\tcol");
  EXPECT_EQ(doc.paragraphs[0].runs[0].pointSize, 0);
  EXPECT_TRUE(doc.paragraphs[0].runs[0].font.empty());
  EXPECT_TRUE(ReadDescriptionDocument("").paragraphs.empty());
  EXPECT_EQ(ReadDescriptionDocument("\r\n").paragraphs.size(), 1u);
}

TEST(PlainTextDocuments, EncodingsFollowTheProjectRule) {
  EXPECT_EQ(PlainText(ReadDescriptionDocument("\xCF\xF0\xE8\xE2\xE5\xF2\r\n")), "Привет");
  EXPECT_EQ(PlainText(ReadDescriptionDocument("Привет")), "Привет");
  EXPECT_EQ(PlainText(ReadDescriptionDocument("\xEF\xBB\xBFПривет")), "Привет");
  EXPECT_EQ(PlainText(ReadDescriptionDocument(std::string("\xFF\xFE\x1F\x04\n\x00x\x00", 8))),
            "П\nx");
  EXPECT_EQ(PlainText(ReadDescriptionDocument(std::string("a\0b\x01", 4))), "ab");
}

// --- helpers for the viewer ---------------------------------------------------

TEST(RichText, ViewerTextSizes) {
  EXPECT_EQ(TextSizeChoicePoints(0), 8);
  EXPECT_EQ(TextSizeChoicePoints(2), 12);
  EXPECT_EQ(TextSizeChoicePoints(4), 16);
  EXPECT_EQ(TextSizeChoicePoints(-3), 8);
  EXPECT_EQ(TextSizeChoicePoints(9), 16);

  RichDocument doc = ReadRtf("{\\rtf1 \\fs20 a\\par\\fs40 b{\\pict\\pngblip 89504e470d0a1a0a}}");
  SetAllPointSizes(doc, 14);
  for (const TextRun& run : Runs(doc)) EXPECT_EQ(run.pointSize, 14);
  EXPECT_EQ(Runs(doc).size(), 3u);
}

// --- the shared corpus of real documents -----------------------------------

class RtfCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_CORPUS("rtf");
    dir_ = CorpusDir();
  }

  std::string Bytes(const std::string& relative) const {
    const std::string path = dir_ + "/rtf/" + relative;
    if (!std::filesystem::exists(path)) ADD_FAILURE() << "missing " << path;
    return ReadAll(path);
  }
  std::string Read(const std::string& relative) const {
    return PlainText(ReadDescriptionDocument(Bytes(relative)));
  }

  std::string dir_;
};

TEST_F(RtfCorpus, CyrillicInEscapesAndUnicode) {
  // \ansicpg1251 with \fcharset204 fonts: the whole document as striprtf
  // reads it.
  EXPECT_EQ(Squeeze(Read("striprtf/bytes.rtf")), Squeeze(Bytes("striprtf/bytes.txt")));
  // \ansicpg1251 and no \fcharset.
  const std::string issue34 = Read("rtfpipe/Issue34.rtf");
  EXPECT_NE(issue34.find("У Х В А Л А"), std::string::npos);
  EXPECT_NE(issue34.find("Б.І. Гулько"), std::string::npos);
  EXPECT_NE(issue34.find("М.Є.Червинська"), std::string::npos);
  // A \fcharset204 font in a Windows-1252 document.
  EXPECT_EQ(Read("tika/testFontAfterBufferedText.rtf"), "\nУважаемый клиент!");
  // \uN, one per group.
  const std::string utf8 = Read("rtfpipe/phprtflite-utf8.rtf");
  EXPECT_NE(utf8.find("Russian text: русский техт."), std::string::npos);
  EXPECT_NE(utf8.find("Lithuanian text: Lietuviškos raidės ąčęėįšųūžĄČĘĖĮŠŲŪŽ\n"),
            std::string::npos);
  EXPECT_NE(utf8.find("French text: le code à côté de"), std::string::npos);
  EXPECT_EQ(Read("rtfparserkit/test10007Encoding.rtf"), "Комманда разработчиков ");
}

TEST_F(RtfCorpus, FormattingOfARealDocument) {
  const RichDocument doc = ReadDescriptionDocument(Bytes("striprtf/bytes.rtf"));
  ASSERT_GT(doc.paragraphs.size(), 3u);
  EXPECT_EQ(doc.paragraphs[0].align, Alignment::Centre);
  EXPECT_EQ(doc.paragraphs[1].align, Alignment::Justify);
  const TextRun title = RunWith(doc, "УХВАЛА");
  EXPECT_TRUE(title.bold);
  EXPECT_EQ(title.font, "Calibri");
  EXPECT_EQ(title.pointSize, 12);
  EXPECT_EQ(title.colour, 0x000000u);
  EXPECT_EQ(title.highlight, 0xFFFFFFu);
  EXPECT_EQ(RunWith(doc, "розглянув").pointSize, 14);
  EXPECT_EQ(RunWith(doc, "розглянув").font, "Roboto Condensed");
}

// Files whose text striprtf's expected output gives, white space aside
// (striprtf writes table cells as "cell|").
TEST_F(RtfCorpus, StriprtfTexts) {
  for (const char* name : {"TX_RTF32_18.0.541.501", "ansicpg1250", "french", "hello", "issue_11",
                           "issue_20", "issue_28", "issue_29_good", "issue_37", "issue_38",
                           "issue_55", "issue_55_1", "issue_63", "line_break_textedit_mac", "nbsp",
                           "sample_3", "simple_table", "test_line_breaks_google_docs", "unicode"}) {
    const std::string base = std::string("striprtf/") + name;
    EXPECT_EQ(Squeeze(Read(base + ".rtf")), Squeeze(Bytes(base + ".txt"))) << name;
  }
}

TEST_F(RtfCorpus, TikaExpectedSubstrings) {
  std::istringstream table(Bytes("tika/expected-substrings.tsv"));
  std::string line;
  int checked = 0;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    ASSERT_NE(tab2, std::string::npos) << line;
    const std::string file = line.substr(0, tab1);
    const std::string kind = line.substr(tab1 + 1, tab2 - tab1 - 1);
    const std::string expected = line.substr(tab2 + 1);
    const std::string text = Read("tika/" + file);
    if (kind == "contains") {
      EXPECT_NE(text.find(expected), std::string::npos) << file << " lacks " << expected;
    } else {
      EXPECT_EQ(text.find(expected), std::string::npos) << file << " has " << expected;
    }
    ++checked;
  }
  EXPECT_GE(checked, 30);
}

TEST_F(RtfCorpus, UnicodeEscapesInRealDocuments) {
  EXPECT_EQ(Read("tika/testRTFUnicodeUCNControlWordCharacterDoubling.rtf"), "0 年 abc 念");
  EXPECT_EQ(Read("tika/testRTFUnicodeGothic.rtf"), "𐌲𐌿𐍄𐌹𐍃𐌺");
  EXPECT_EQ(Read("tika/testRTFInvalidUnicode.rtf"),
            "Unpaired hi \uFFFD here Unpaired lo \uFFFD here Mismatched pair \uFFFD\uFFFD here ");
  const std::string negative = Read("rtfparserkit/testNegativeUnicode.rtf");
  EXPECT_NE(negative.find("F700"), std::string::npos);
  const std::string many = Read("rtfparserkit/testUnicode.rtf");
  for (const char* part : {"Johann Strauß", "René Magritte", "বাংলা", "中国", "Česká republika"}) {
    EXPECT_NE(many.find(part), std::string::npos) << part;
  }
}

TEST_F(RtfCorpus, BinaryDataIsNotText) {
  // \bin10 inside a picture, its bytes holding "}".
  const std::string bin = Read("tika/testBinControlWord.rtf");
  EXPECT_EQ(bin.find("\xC3\xBF"), std::string::npos);  // ÿ, the 0xFF bytes
  EXPECT_EQ(Squeeze(bin), "");
  // "\bin" with no count before hexadecimal picture data.
  const RichDocument image = ReadDescriptionDocument(Bytes("pandoc/image.rtf"));
  ASSERT_EQ(image.pictures.size(), 1u);
  EXPECT_EQ(image.pictures[0].format, EmbeddedPicture::Format::Jpeg);
  EXPECT_EQ(image.pictures[0].widthTwips, 2880);
  EXPECT_EQ(image.pictures[0].bytes.substr(0, 4), "\xFF\xD8\xFF\xE0");
  EXPECT_EQ(image.pictures[0].bytes.substr(image.pictures[0].bytes.size() - 2), "\xFF\xD9");
}

TEST_F(RtfCorpus, ListsFootnotesAndFields) {
  EXPECT_EQ(Read("pandoc/list_legacy.rtf"), "1.\tA\nNumbered\nList\n•\tA\nBulleted\nList");
  const std::string footnote = Read("pandoc/footnote.rtf");
  EXPECT_NE(footnote.find("amply annotated.1 It was"), std::string::npos);
  EXPECT_NE(footnote.find("\n1See Sahlins"), std::string::npos);
  EXPECT_NE(footnote.find("\n2A complete bibliography"), std::string::npos);
  EXPECT_EQ(Read("pandoc/link.rtf"), "pandoc");
  EXPECT_EQ(Read("rtfpipe/Test01.rtf").find("should not appear"), std::string::npos);
  EXPECT_NE(Read("rtfpipe/Test01.rtf").find("same but different: \"[Γ]\""), std::string::npos);
  const std::string various = Read("tika/testRTFVarious.rtf");
  EXPECT_EQ(various.find("This is the header text"), std::string::npos);
  EXPECT_EQ(various.find("This is the footer text"), std::string::npos);
  EXPECT_NE(various.find("•\tBullet 1"), std::string::npos);
  EXPECT_NE(various.find("Here is a text box"), std::string::npos);
  EXPECT_EQ(various.find("Here is a text box", various.find("Here is a text box") + 1),
            std::string::npos);
}

TEST_F(RtfCorpus, MalformedFilesKeepTheirText) {
  EXPECT_EQ(Read("rtfpipe/minimal.rtf"), "foobar");
  for (const char* name :
       {"RtfParserTest_fail_0", "RtfParserTest_fail_1", "RtfParserTest_fail_2"}) {
    EXPECT_EQ(PlainText(ReadRtf(Bytes(std::string("rtfpipe/") + name + ".rtf"))),
              "Hello world in {RTF}…\n")
        << name;
  }
  EXPECT_EQ(PlainText(ReadRtf(Bytes("rtfpipe/RtfParserTest_fail_3.rtf"))), "Hello world in {RTF}…");
  EXPECT_TRUE(
      ReadDescriptionDocument(Bytes("rtfpipe/RtfParserTest_fail_4.rtf")).paragraphs.empty());
  const RichDocument foobar = ReadDescriptionDocument(Bytes("rtfpipe/RtfParserTest_fail_5.rtf"));
  EXPECT_FALSE(foobar.fromRtf);
  EXPECT_EQ(PlainText(foobar), "foobar");
  EXPECT_EQ(PlainText(ReadRtf(Bytes("rtfpipe/RtfParserTest_fail_6.rtf"))), "");
}

TEST_F(RtfCorpus, EveryFileReads) {
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_ + "/rtf")) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = ReadAll(entry.path().string());
    for (const RichDocument& doc : {ReadDescriptionDocument(bytes), ReadRtf(bytes)}) {
      for (const TextRun& run : Runs(doc)) {
        EXPECT_TRUE(IsValidUtf8(run.text)) << entry.path();
        if (run.picture) {
          EXPECT_LT(*run.picture, doc.pictures.size()) << entry.path();
        }
      }
      EXPECT_LE(PlainText(doc).size(), 3 * bytes.size() + 16) << entry.path();
    }
    ++files;
  }
  EXPECT_GT(files, 100);
}

}  // namespace
}  // namespace vaticor
