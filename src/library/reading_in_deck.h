#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "library/card_identity.h"
#include "library/journal.h"
#include "library/taro_decks.h"

namespace vaticor {

// A recorded reading shown in a deck other than the one it was drawn from
// (or laid with): each card made the other deck's card of the same identity
// (library/card_identity.h), in the same turn.

// The identity of a card of the recorded reading, by its place in the
// deck it was recorded in; -1 for a card that has none or is not known.
using RecordedIdentity = std::function<std::int32_t(std::int32_t card)>;

// The identities of an installed deck by position (TTaroDecks::
// GetCardIdentities) as a RecordedIdentity: -1 past its last card.
RecordedIdentity IdentitiesByPosition(std::vector<std::int32_t> identities);

// For a deck no longer installed (or never known): each card's identity
// from the name the entry recorded it under, the identity of the installed
// names (InstalledCardNames) equal to it, letters compared without case;
// -1 when no name or names of two identities are equal to it, and for a
// card no position of the entry holds.
RecordedIdentity IdentitiesByRecordedNames(const JournalEntry& entry,
                                           std::span<const CardName> installed);

// The position in the other deck (`to`: its identities by position) of the
// card with the identity `identity` gives `card`; nullopt when that card
// has no identity, or the other deck has no card of it.
std::optional<std::int32_t> CardInOtherDeck(std::int32_t card, const RecordedIdentity& identity,
                                            std::span<const std::int32_t> to);

struct ReadingInDeck {
  // The entry with every position's card, and every card of its table (a
  // spread's), made the other deck's; turns, meanings, the recorded names
  // and everything else kept.
  JournalEntry entry;
  // The recorded cards the other deck has no counterpart of, ascending,
  // each once: the reading is then not to be laid in that deck.
  std::vector<std::int32_t> unmatched;
};

ReadingInDeck ReadingInOtherDeck(const JournalEntry& entry, const RecordedIdentity& identity,
                                 std::span<const std::int32_t> to);

// The entry's reading in the current deck of `decks`: its cards known by
// the recorded deck's identities when that deck is installed, else by the
// names they were recorded under. Reads the decks' deck.ini files.
ReadingInDeck ReadingInCurrentDeck(TTaroDecks& decks, const JournalEntry& entry);

// The names of `cards` as the entry recorded them (its first position of
// each card), the card's number for one recorded without a name.
std::vector<std::string> RecordedCardNames(const JournalEntry& entry,
                                           std::span<const std::int32_t> cards);

}  // namespace vaticor
