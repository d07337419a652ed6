#include "card_texts.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sample_content {
namespace {

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

class Parser {
 public:
  explicit Parser(std::filesystem::path file) : file_(std::move(file)) {}

  LanguageTexts run() {
    std::ifstream in(file_, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + file_.string());
    std::string line;
    while (std::getline(in, line)) {
      ++line_no_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line_no_ == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
      take(line);
    }
    check_complete();
    return std::move(texts_);
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    std::ostringstream msg;
    msg << file_.string() << ':' << line_no_ << ": " << what;
    throw std::runtime_error(msg.str());
  }

  void take(const std::string& line) {
    if (trim(line).empty() || line[0] == '#') return;
    if (line[0] == ' ' || line[0] == '\t') {
      // Continuation of the value above, joined with a single space.
      if (current_ == nullptr) fail("continuation line without a key above it");
      *current_ += ' ';
      *current_ += trim(line);
      return;
    }
    if (line.rfind("card ", 0) == 0) {
      start_card(trim(line.substr(5)));
      return;
    }
    const auto colon = line.find(':');
    if (colon == std::string::npos) fail("expected 'key: value' or 'card NN'");
    const std::string key = trim(line.substr(0, colon));
    const std::string value = trim(line.substr(colon + 1));
    current_ = slot_for(key);
    if (!current_->empty()) fail("'" + key + "' given twice");
    if (value.empty()) fail("'" + key + "' has no value");
    *current_ = value;
  }

  void start_card(const std::string& number) {
    if (number.empty() || number.size() > 2 ||
        number.find_first_not_of("0123456789") != std::string::npos)
      fail("bad card number '" + number + "'");
    const int n = std::stoi(number);
    if (n >= kCardCount) fail("card number out of range: " + number);
    if (seen_[static_cast<std::size_t>(n)]) fail("card " + number + " given twice");
    seen_[static_cast<std::size_t>(n)] = true;
    card_ = n;
    current_ = nullptr;
  }

  std::string* slot_for(const std::string& key) {
    if (card_ >= 0) {
      CardText& c = texts_.cards[static_cast<std::size_t>(card_)];
      if (key == "name") return &c.name;
      if (key == "upright") return &c.upright;
      if (key == "reversed") return &c.reversed;
      fail("unknown card key '" + key + "'");
    }
    if (key == "language") return &texts_.language;
    if (key == "deck-folder") return &texts_.deck_folder;
    if (key == "deck-name") return &texts_.deck_name;
    if (key == "set-folder") return &texts_.set_folder;
    if (key == "set-name") return &texts_.set_name;
    if (key == "upright-label") return &texts_.upright_label;
    if (key == "reversed-label") return &texts_.reversed_label;
    fail("unknown header key '" + key + "'");
  }

  void check_complete() {
    const std::pair<const char*, const std::string*> header[] = {
        {"language", &texts_.language},
        {"deck-folder", &texts_.deck_folder},
        {"deck-name", &texts_.deck_name},
        {"set-folder", &texts_.set_folder},
        {"set-name", &texts_.set_name},
        {"upright-label", &texts_.upright_label},
        {"reversed-label", &texts_.reversed_label},
    };
    for (const auto& [key, value] : header)
      if (value->empty()) fail(std::string("header key '") + key + "' is missing");
    if (texts_.language != "ru" && texts_.language != "en") fail("language must be 'ru' or 'en'");
    for (int n = 0; n < kCardCount; ++n) {
      const CardText& c = texts_.cards[static_cast<std::size_t>(n)];
      const std::string id = "card " + std::to_string(n);
      if (!seen_[static_cast<std::size_t>(n)]) fail(id + " is missing");
      if (c.name.empty()) fail(id + " has no name");
      if (c.upright.empty()) fail(id + " has no upright meaning");
      if (c.reversed.empty()) fail(id + " has no reversed meaning");
    }
  }

  std::filesystem::path file_;
  LanguageTexts texts_;
  std::array<bool, kCardCount> seen_{};
  int card_ = -1;
  int line_no_ = 0;
  std::string* current_ = nullptr;
};

}  // namespace

LanguageTexts read_language_texts(const std::filesystem::path& file) { return Parser(file).run(); }

}  // namespace sample_content
