// make_sample_content: draws the two sample decks and writes the two sample
// description sets and the sample spreads into a portable-folder layout.
//
//   make_sample_content [--texts DIR] OUTPUT_DIR
//
// DIR holds cards.ru.txt and cards.en.txt. OUTPUT_DIR is replaced whole: the
// content is written into a sibling temporary folder first and moved into
// place at the end, so an interrupted run never leaves a half-written tree.

#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "card_art.h"
#include "card_texts.h"
#include "jpeg_writer.h"
#include "rtf_writer.h"
#include "sample_spreads.h"

namespace fs = std::filesystem;
using namespace sample_content;

namespace {

constexpr int kJpegQuality = 88;

std::string two_digits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

fs::path utf8_path(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

void write_file(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

// INI files are UTF-8 without a byte-order mark, with CRLF line ends.
std::string ini_text(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

void write_deck(const LanguageTexts& texts, const fs::path& decks, const QString& family) {
  const fs::path folder = decks / utf8_path(texts.deck_folder);
  fs::create_directories(folder);
  // "Language" lets a first start pick the deck of the interface language.
  std::vector<std::string> ini = {"[Deck]", "Name=" + texts.deck_name, "Language=" + texts.language,
                                  "Cards.Count=" + std::to_string(kCardCount - 1), "[Files]"};
  for (int n = 0; n < kCardCount; ++n)
    ini.push_back("Card" + two_digits(n) + "=" + two_digits(n) + ".jpg");
  ini.emplace_back("[Names]");
  for (int n = 0; n < kCardCount; ++n) {
    const std::string& name = texts.cards[static_cast<std::size_t>(n)].name;
    ini.push_back("Card" + two_digits(n) + "=" + name);
    const QImage face = paint_card(n, QString::fromStdString(name), family);
    write_jpeg(face, folder / (two_digits(n) + ".jpg"), kJpegQuality);
  }
  write_file(folder / "deck.ini", ini_text(ini));
}

void write_descriptions(const LanguageTexts& texts, const fs::path& sets) {
  const fs::path folder = sets / utf8_path(texts.set_folder);
  fs::create_directories(folder);
  const RtfCodePage page =
      texts.language == "ru" ? RtfCodePage::Cyrillic1251 : RtfCodePage::Western1252;
  std::vector<std::string> ini = {"[Description]",
                                  "Name=" + texts.set_name,
                                  "Language=" + texts.language,
                                  "[Sections]",
                                  "Meaning=",
                                  "[Meaning]"};
  for (int n = 0; n < kCardCount; ++n) {
    const CardText& card = texts.cards[static_cast<std::size_t>(n)];
    const RtfDocument doc{card.name, texts.upright_label, card.upright, texts.reversed_label,
                          card.reversed};
    write_file(folder / (two_digits(n) + ".rtf"), make_rtf(doc, page));
    ini.push_back("Card" + two_digits(n) + "=" + two_digits(n) + ".rtf");
  }
  write_file(folder / "description.ini", ini_text(ini));
}

// DejaVu Serif has Cyrillic; Debian's fonts-dejavu-core provides it. If the
// font database does not know it, load the files directly, and as a last
// resort letter the cards in the default family.
QString lettering_family() {
  const QString wanted = QStringLiteral("DejaVu Serif");
  if (QFontDatabase::families().contains(wanted)) return wanted;
  for (const char* file : {"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
                           "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"})
    QFontDatabase::addApplicationFont(QString::fromUtf8(file));
  if (QFontDatabase::families().contains(wanted)) return wanted;
  const QString fallback = QGuiApplication::font().family();
  std::fprintf(stderr, "make_sample_content: DejaVu Serif not found, using %s\n",
               fallback.toUtf8().constData());
  return fallback;
}

// The program takes the first deck and description set in byte order as the
// default, and its default language is Russian.
void check_folder_order(const LanguageTexts& ru, const LanguageTexts& en) {
  if (ru.deck_folder == en.deck_folder || ru.deck_folder.compare(en.deck_folder) > 0)
    throw std::runtime_error("the Russian deck folder must sort before the English one");
  if (ru.set_folder == en.set_folder || ru.set_folder.compare(en.set_folder) > 0)
    throw std::runtime_error("the Russian description folder must sort before the English one");
}

int run(const fs::path& texts_dir, const fs::path& output) {
  const auto started = std::chrono::steady_clock::now();
  const LanguageTexts ru = read_language_texts(texts_dir / "cards.ru.txt");
  const LanguageTexts en = read_language_texts(texts_dir / "cards.en.txt");
  if (ru.language != "ru" || en.language != "en")
    throw std::runtime_error("cards.ru.txt and cards.en.txt must declare languages ru and en");
  check_folder_order(ru, en);
  const QString family = lettering_family();

  const fs::path target = fs::absolute(output).lexically_normal();
  const fs::path staging = target.parent_path() / (target.filename().string() + ".tmp");
  fs::remove_all(staging);
  fs::create_directories(staging);
  const fs::path decks = staging / "Pictures Folder" / "Decks";
  const fs::path sets = staging / "Texts Folder" / "Descriptions";
  fs::create_directories(staging / "Spreads Folder");
  fs::create_directories(staging / "Multi Language Support");
  for (const LanguageTexts* texts : {&ru, &en}) {
    write_deck(*texts, decks, family);
    write_descriptions(*texts, sets);
  }
  const int spreads = write_sample_spreads(staging / "Spreads Folder");
  fs::remove_all(target);
  fs::rename(staging, target);

  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - started)
                      .count();
  std::printf(
      "make_sample_content: 2 decks, 2 description sets and %d spreads written to %s in %lld ms\n",
      spreads, target.string().c_str(), static_cast<long long>(ms));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Painting needs a GUI application for fonts, but never a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  fs::path texts_dir = VATICOR_CONTENT_TEXTS_DIR;
  fs::path output;
  const QStringList args = QGuiApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--texts") && i + 1 < args.size()) {
      texts_dir = fs::path(args[++i].toStdString());
    } else if (output.empty() && !args[i].startsWith(QLatin1Char('-'))) {
      output = fs::path(args[i].toStdString());
    } else {
      std::fprintf(stderr, "usage: make_sample_content [--texts DIR] OUTPUT_DIR\n");
      return 2;
    }
  }
  if (output.empty()) {
    std::fprintf(stderr, "usage: make_sample_content [--texts DIR] OUTPUT_DIR\n");
    return 2;
  }
  try {
    return run(texts_dir, output);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_sample_content: %s\n", e.what());
    return 1;
  }
}
