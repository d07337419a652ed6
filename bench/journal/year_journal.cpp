// Makes a journal of a year of readings ending on a given day, for trying
// the journal's window, statistics and calendar by hand:
//   vaticor_year_journal JOURNAL-FILE [YYYY-MM-DD]
// About nine readings a day from big_journal.h, moved into the year before
// the day (today when not given), on the sample decks and description sets,
// and a card of the day on most days - the Tower on about a third of them,
// so that it recurs. A file already there is refused.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "journal/big_journal.h"
#include "platform/sqlite_journal.h"

namespace {

using namespace std::chrono;
using vaticor::JournalEntry;

std::string Moment(sys_days day, int second) {
  const year_month_day date{day};
  return vaticor::JournalMoment(static_cast<int>(date.year()),
                                static_cast<int>(static_cast<unsigned>(date.month())),
                                static_cast<int>(static_cast<unsigned>(date.day())), second / 3600,
                                second / 60 % 60, second % 60);
}

bool Russian(const JournalEntry& entry) { return entry.descriptionFolder == "Классические"; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::filesystem::exists(argv[1])) {
    std::fprintf(stderr, "usage: vaticor_year_journal NEW-JOURNAL-FILE [YYYY-MM-DD]\n");
    return 2;
  }
  sys_days last = floor<days>(system_clock::now());
  int y = 0;
  unsigned m = 0;
  unsigned d = 0;
  if (argc > 2 && std::sscanf(argv[2], "%d-%u-%u", &y, &m, &d) == 3) {
    last = sys_days{year{y} / month{m} / day{d}};
  }
  const sys_days first = last - days{364};
  vaticor::SqliteJournal journal(argv[1]);
  std::mt19937 numbers(2024);
  // The generated entries begin on 1996-01-01: each moves by whole days.
  const sys_days generatedFirst = sys_days{1996y / January / 1};
  int added = 0;
  for (JournalEntry entry : vaticor::bench::BigJournalEntries(3300)) {
    int ey = 0;
    unsigned em = 0;
    unsigned ed = 0;
    int hh = 0;
    int mm = 0;
    int ss = 0;
    std::sscanf(entry.moment.c_str(), "%d-%u-%uT%d:%d:%d", &ey, &em, &ed, &hh, &mm, &ss);
    const sys_days day = first + (sys_days{year{ey} / month{em} / ::day{ed}} - generatedFirst);
    if (day > last) break;
    const bool russian = Russian(entry);
    entry.moment = Moment(day, hh * 3600 + mm * 60 + ss);
    entry.deckFolder = russian ? "Celestial Vault" : "Celestial Vault (English)";
    entry.descriptionFolder = russian ? "Classic Meanings" : "Classic Meanings (English)";
    if (entry.kind == vaticor::JournalKind::kSpread && !entry.spreadFile.empty()) {
      entry.spreadFile = russian ? "Кельтский крест.spread" : "Celtic Cross.spread";
    }
    journal.Add(entry);
    ++added;
  }
  for (sys_days day = first; day <= last; day += days{1}) {
    if (numbers() % 10 == 0) continue;  // a day without one
    JournalEntry card;
    card.kind = vaticor::JournalKind::kDayCard;
    card.moment = Moment(day, 7 * 3600 + static_cast<int>(numbers() % 3600));
    card.deckFolder = "Celestial Vault";
    card.descriptionFolder = "Classic Meanings";
    const int number = numbers() % 3 == 0 ? 16 : static_cast<int>(numbers() % 78);
    card.positions.push_back(
        {1, "", number, numbers() % 4 == 0, vaticor::bench::BigJournalCardName(number, true)});
    card.tags = {"карта дня"};
    journal.Add(card);
    ++added;
  }
  std::printf("%d entries from %s to %s\n", added, Moment(first, 0).substr(0, 10).c_str(),
              Moment(last, 0).substr(0, 10).c_str());
  return 0;
}
