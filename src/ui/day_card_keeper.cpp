#include "ui/day_card_keeper.h"

#include <cstdint>

#include "library/journal_record.h"
#include "library/reading_draw.h"
#include "ui/chrome/interface_text.h"
#include "ui/journal_keeper.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

namespace vaticor {

DayCardKeeper::DayCardKeeper(ProgramState& state, const LocalClock& clock)
    : state_(state), cards_(clock), picker_(state.Random) {}

std::optional<JournalEntry> DayCardKeeper::Today(QWidget* window) {
  JournalKeeper& journal = state_.Journal;
  const auto draw = [this](const std::string& moment) {
    const TINIData& ini = state_.INIData;
    const std::int32_t value = DrawOneCard(state_.Random, picker_, state_.TaroDecks,
                                           ini.OnlyMajorArcanaEnabled, ini.UpSideDownCardsEnabled);
    const std::string tag = JournalText(state_.Languages, "DayCardTag", "карта дня").toStdString();
    return DayCardJournalEntry(moment, value, tag, state_.TaroDecks, state_.TaroDescriptions);
  };
  const auto record = [&](const JournalEntry& entry) {
    std::int64_t id = 0;
    RunJournalCommand(window, state_.Languages, [&] { id = journal.Add(entry); });
    return id;
  };
  return cards_.Card(journal.Store(), draw, record);
}

void DayCardKeeper::Show(MainWindowLink& main, QWidget* window) {
  const std::optional<JournalEntry> card = Today(window);
  if (!card) return;
  const JournalPosition& position = card->positions.front();
  main.SetCardMode(false);
  main.ShowCard(0, position.reversed ? -position.card : position.card);
  main.ShowMainWindow();
}

bool DayCardKeeper::ShowAtStart(MainWindowLink& main, QWidget* window) {
  TINIData& ini = state_.INIData;
  const std::string today = cards_.Today();
  if (!ini.DayCardShowAtStart || ini.DayCardLastShownDay == today) return false;
  ini.DayCardLastShownDay = today;
  Show(main, window);
  return true;
}

}  // namespace vaticor
