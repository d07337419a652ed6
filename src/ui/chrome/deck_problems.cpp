#include "ui/chrome/deck_problems.h"

#include "ui/chrome/interface_text.h"

namespace vaticor {

QString OpenDeckProblemText(const TLanguageTable& languages, OpenDeckProblem problem,
                            const std::string& detail) {
  switch (problem) {
    case OpenDeckProblem::kNone:
      return {};
    case OpenDeckProblem::kCannotRead:
      return CardsText(languages, "DeckCannotRead", "файл deck.toml не читается");
    case OpenDeckProblem::kTooLarge:
      return CardsText(languages, "DeckTooLarge", "файл deck.toml больше 1 МБ");
    case OpenDeckProblem::kMalformed:
      return WithSubject(CardsText(languages, "DeckMalformed", "ошибка в deck.toml: %1"),
                         Utf8(detail));
    case OpenDeckProblem::kNoVersion:
      return CardsText(languages, "DeckNoVersion",
                       "в deck.toml не указана версия формата (schema_version)");
    case OpenDeckProblem::kUnsupportedVersion:
      return WithSubject(CardsText(languages, "DeckVersion",
                                   "версия формата %1 не поддерживается (читаются 1.x и 2.x)"),
                         Utf8(detail));
  }
  return {};
}

QString UnusableDeckCaption(const TLanguageTable& languages, const ListedOpenDeck& deck) {
  return CardsText(languages, "DeckUnusable", "%1 — не открывается: %2")
      .arg(Utf8(deck.header.name),
           OpenDeckProblemText(languages, deck.header.problem, deck.header.detail));
}

}  // namespace vaticor
