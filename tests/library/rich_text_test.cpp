#include "library/rich_text.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(PrependPositionMeaning, ABoldCaptionAndTheMeaningOpenTheDocument) {
  RichDocument document;
  document.paragraphs.resize(2);
  TextRun fool;
  fool.text = "Шут";
  document.paragraphs[0].runs.push_back(fool);
  PrependPositionMeaning(document, "Значение позиции", "Прошлое\nи <b>корни</b>");
  ASSERT_EQ(document.paragraphs.size(), 3u);
  const Paragraph& first = document.paragraphs[0];
  ASSERT_EQ(first.runs.size(), 2u);
  EXPECT_EQ(first.runs[0].text, "Значение позиции: ");
  EXPECT_TRUE(first.runs[0].bold);
  EXPECT_EQ(first.runs[1].text, "Прошлое и <b>корни</b>");
  EXPECT_FALSE(first.runs[1].bold);
  EXPECT_EQ(first.spaceAfter, 240);
  EXPECT_EQ(PlainText(document), "Значение позиции: Прошлое и <b>корни</b>\nШут\n");
}

TEST(PrependPositionMeaning, AMeaningWithoutTextAddsNothing) {
  RichDocument document;
  PrependPositionMeaning(document, "Значение позиции", " \t ");
  EXPECT_TRUE(document.paragraphs.empty());
}

}  // namespace
}  // namespace vaticor
