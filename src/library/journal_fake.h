#pragma once

#include <map>

#include "library/journal.h"

namespace vaticor {

// A journal kept in memory, for window tests and tools. It takes filters
// as the SQLite store does, with one difference: letters are compared
// without case (as ToUpperText folds them) but accents count. Writes raise
// WriteFailure naming kJournalFileName while `readOnly` is set.
class FakeJournalStore : public JournalStore {
 public:
  std::int64_t Add(const JournalEntry& entry) override;
  bool Update(const JournalEntry& entry) override;
  bool Remove(std::int64_t id) override;
  std::optional<JournalEntry> Get(std::int64_t id) const override;
  std::vector<JournalEntry> List(const JournalFilter& filter, std::size_t offset,
                                 std::size_t limit) const override;
  std::size_t Count(const JournalFilter& filter) const override;
  std::vector<std::string> AllTags() const override;
  JournalTally Tally(const JournalFilter& filter) const override;
  std::vector<JournalRecentCard> RecentCards(const JournalFilter& filter,
                                             std::size_t readings) const override;
  std::vector<JournalMonthDay> Month(int year, int month) const override;
  std::vector<ReaderMeaning> ReaderMeanings() const override;
  ReaderMeaning GetReaderMeaning(std::int32_t identity) const override;
  void SetReaderMeaning(const ReaderMeaning& meaning) override;
  bool LogImported() const override { return logImported; }
  void AddImported(std::span<const JournalEntry> entries) override;
  bool ReadOnly() const override { return readOnly; }

  // Whether the filter takes the entry.
  static bool Takes(const JournalFilter& filter, const JournalEntry& entry);

  bool readOnly = false;
  bool logImported = false;

 private:
  void RefuseWhenReadOnly() const;
  std::vector<JournalEntry> Taken(const JournalFilter& filter) const;

  std::map<std::int64_t, JournalEntry> entries_;
  std::int64_t lastId_ = 0;
  std::map<std::int32_t, ReaderMeaning> meanings_;
};

}  // namespace vaticor
