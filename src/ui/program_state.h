#pragma once

#include <string>

#include "core/random.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/shell.h"
#include "languages/language_table.h"
#include "library/content_selection.h"
#include "library/picture_workers.h"
#include "library/spread_picker.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"

namespace vaticor {

class ContentSignals;
class JournalKeeper;

// The program's single instances, as every window sees them. They live for
// the whole run. The deck and description-set choice changes only through
// `Content`, which announces it (ui/content_signals.h); the windows read
// the decks and sets directly.
struct ProgramState {
  TINIData& INIData;
  TTaroDecks& TaroDecks;
  TTaroDescriptions& TaroDescriptions;
  TCardsSpreadGenerator& SpreadPicker;
  RandomGenerator& Random;
  const ScreenInfo& Screen;
  TLanguageTable& Languages;
  ShellOpener& Shell;
  // Decodes the cards' pictures (the decks' loader behind it).
  PictureWorkers& PictureWork;
  ContentSelection& Content;
  // Its changes as signals, for the windows.
  ContentSignals& ContentChanges;
  // The reading journal: its store once open, every write, its changes.
  JournalKeeper& Journal;
  std::string SystemLanguage;  // "0x" + the user's locale identifier
};

}  // namespace vaticor
