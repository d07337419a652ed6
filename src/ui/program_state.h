#pragma once

#include <string>

#include "core/random.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/shell.h"
#include "languages/language_table.h"
#include "library/picture_workers.h"
#include "library/spread_picker.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"

namespace vaticor {

// The program's single instances, as every window sees them. They live for
// the whole run; the windows read and change their fields directly.
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
  std::string SystemLanguage;  // "0x" + the user's locale identifier
  // Set while the spreads window stands in for the main window.
  bool SpreadsMode = false;
};

}  // namespace vaticor
