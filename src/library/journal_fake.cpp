#include "library/journal_fake.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "core/text_encoding.h"
#include "core/user_failure.h"

namespace vaticor {

void FakeJournalStore::RefuseWhenReadOnly() const {
  if (readOnly) throw WriteFailure(kJournalFileName);
}

std::int64_t FakeJournalStore::Add(const JournalEntry& entry) {
  RefuseWhenReadOnly();
  JournalEntry stored = entry;
  stored.id = ++lastId_;
  stored.tags = NormaliseTags(entry.tags);
  entries_[stored.id] = stored;
  return stored.id;
}

bool FakeJournalStore::Update(const JournalEntry& entry) {
  RefuseWhenReadOnly();
  const auto found = entries_.find(entry.id);
  if (found == entries_.end()) return false;
  found->second = entry;
  found->second.tags = NormaliseTags(entry.tags);
  return true;
}

bool FakeJournalStore::Remove(std::int64_t id) {
  RefuseWhenReadOnly();
  return entries_.erase(id) > 0;
}

std::optional<JournalEntry> FakeJournalStore::Get(std::int64_t id) const {
  const auto found = entries_.find(id);
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}

bool FakeJournalStore::Takes(const JournalFilter& filter, const JournalEntry& entry) {
  if (!filter.tag.empty() &&
      std::find(entry.tags.begin(), entry.tags.end(), filter.tag) == entry.tags.end()) {
    return false;
  }
  if (filter.card &&
      std::none_of(entry.positions.begin(), entry.positions.end(),
                   [&](const JournalPosition& p) { return p.card == *filter.card; })) {
    return false;
  }
  if (!filter.from.empty() && entry.moment < filter.from) return false;
  if (!filter.to.empty() && entry.moment.substr(0, filter.to.size()) > filter.to) return false;
  const std::vector<std::string> words = SearchWords(filter.text);
  if (words.empty()) return true;
  std::string text = entry.question + "\n" + entry.notes + "\n" + entry.spreadFile;
  for (const JournalFollowUp& followUp : entry.followUps) text += "\n" + followUp.text;
  for (const std::string& tag : entry.tags) text += "\n" + tag;
  for (const JournalPosition& position : entry.positions) text += "\n" + position.cardName;
  const std::vector<std::string> entryWords = TextWords(ToUpperText(text));
  return std::all_of(words.begin(), words.end(), [&](const std::string& word) {
    const std::string upper = ToUpperText(word);
    return std::any_of(entryWords.begin(), entryWords.end(),
                       [&](const std::string& candidate) { return candidate.starts_with(upper); });
  });
}

std::vector<JournalEntry> FakeJournalStore::Taken(const JournalFilter& filter) const {
  std::vector<JournalEntry> taken;
  for (const auto& [id, entry] : entries_) {
    if (Takes(filter, entry)) taken.push_back(entry);
  }
  std::sort(taken.begin(), taken.end(), [](const JournalEntry& a, const JournalEntry& b) {
    return a.moment != b.moment ? a.moment > b.moment : a.id > b.id;
  });
  return taken;
}

std::vector<JournalEntry> FakeJournalStore::List(const JournalFilter& filter, std::size_t offset,
                                                 std::size_t limit) const {
  std::vector<JournalEntry> taken = Taken(filter);
  if (offset >= taken.size()) return {};
  const auto first = taken.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto last = first + static_cast<std::ptrdiff_t>(std::min(limit, taken.size() - offset));
  return {first, last};
}

std::size_t FakeJournalStore::Count(const JournalFilter& filter) const {
  return Taken(filter).size();
}

std::vector<std::string> FakeJournalStore::AllTags() const {
  std::set<std::string> tags;
  for (const auto& [id, entry] : entries_) tags.insert(entry.tags.begin(), entry.tags.end());
  return {tags.begin(), tags.end()};
}

std::vector<ReaderMeaning> FakeJournalStore::ReaderMeanings() const {
  std::vector<ReaderMeaning> meanings;
  for (const auto& [identity, meaning] : meanings_) meanings.push_back(meaning);
  return meanings;
}

ReaderMeaning FakeJournalStore::GetReaderMeaning(std::int32_t identity) const {
  const auto found = meanings_.find(identity);
  return found != meanings_.end() ? found->second : ReaderMeaning{.identity = identity};
}

void FakeJournalStore::SetReaderMeaning(const ReaderMeaning& meaning) {
  CheckReaderMeaningIdentity(meaning.identity);
  RefuseWhenReadOnly();
  if (meaning.Empty()) {
    meanings_.erase(meaning.identity);
  } else {
    meanings_[meaning.identity] = meaning;
  }
}

void FakeJournalStore::AddImported(std::span<const JournalEntry> entries) {
  RefuseWhenReadOnly();
  for (const JournalEntry& entry : entries) Add(entry);
  logImported = true;
}

JournalTally FakeJournalStore::Tally(const JournalFilter& filter) const {
  JournalTally tally;
  std::map<std::string, JournalDayTally> days;
  std::map<std::pair<std::string, std::int32_t>, JournalCardTally> cards;
  std::map<std::tuple<JournalKind, std::string, std::string, std::string>, std::int64_t> uses;
  for (const JournalEntry& entry : Taken(filter)) {
    ++tally.readings;
    const std::string day = entry.moment.substr(0, 10);
    JournalDayTally& dayTally = days[day];
    dayTally.day = day;
    ++dayTally.readings;
    for (const JournalPosition& position : entry.positions) {
      ++dayTally.cards;
      dayTally.reversed += position.reversed ? 1 : 0;
      JournalCardTally& card = cards[{entry.deckFolder, position.card}];
      card.deckFolder = entry.deckFolder;
      card.card = position.card;
      ++(position.reversed ? card.reversed : card.upright);
      card.cardName = std::max(card.cardName, position.cardName);
    }
    ++uses[{entry.kind, entry.deckFolder, entry.descriptionFolder, entry.spreadFile}];
  }
  for (auto& [day, dayTally] : days) tally.days.push_back(dayTally);
  for (auto& [key, card] : cards) tally.cards.push_back(card);
  for (const auto& [key, readings] : uses) {
    const auto& [kind, deck, descriptions, spread] = key;
    tally.uses.push_back({kind, deck, descriptions, spread, readings});
  }
  return tally;
}

std::vector<JournalRecentCard> FakeJournalStore::RecentCards(const JournalFilter& filter,
                                                             std::size_t readings) const {
  std::vector<JournalRecentCard> recent;
  for (const JournalEntry& entry : List(filter, 0, readings)) {
    for (const JournalPosition& position : entry.positions) {
      recent.push_back({entry.id, entry.moment, position.card, position.reversed, entry.deckFolder,
                        position.cardName});
    }
  }
  return recent;
}

std::vector<JournalMonthDay> FakeJournalStore::Month(int year, int month) const {
  const std::string prefix = JournalMonthPrefix(year, month);
  if (prefix.empty()) return {};
  std::map<std::string, JournalMonthDay> days;
  // Oldest first, so that a later card of the day replaces an earlier one.
  std::vector<JournalEntry> taken = Taken({});
  std::reverse(taken.begin(), taken.end());
  for (const JournalEntry& entry : taken) {
    if (!entry.moment.starts_with(prefix)) continue;
    const std::string day = entry.moment.substr(0, 10);
    JournalMonthDay& counted = days[day];
    counted.day = day;
    if (entry.kind != JournalKind::kDayCard) {
      ++counted.otherReadings;
    } else if (!entry.positions.empty()) {
      counted.dayCardEntry = entry.id;
      counted.dayCard = entry.positions.front().card;
      counted.dayCardReversed = entry.positions.front().reversed;
      counted.dayCardDeck = entry.deckFolder;
    }
  }
  std::vector<JournalMonthDay> found;
  for (auto& [day, counted] : days) found.push_back(counted);
  return found;
}

}  // namespace vaticor
