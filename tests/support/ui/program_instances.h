#pragma once

// The program's single instances as the windows of a test or a benchmark
// see them: a fixed screen (1024 x 768, taskbar at 738), a fixed clock, the
// settings record (read by the caller), the decks and description sets of
// the given folders, the picker, the language table and a shell that only
// records.

#include <cstdint>
#include <string>

#include "core/random.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/shell.h"
#include "languages/language_table.h"
#include "library/picture_loader.h"
#include "library/picture_workers.h"
#include "library/spread_picker.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"
#include "ui/content_signals.h"
#include "ui/journal_keeper.h"
#include "ui/program_state.h"

namespace vaticor::testing {

struct ProgramInstances {
  ProgramInstances(const std::string& decksFolder, const std::string& descriptionsFolder,
                   PictureLoader& loader, std::uint32_t clockMs)
      : clock(clockMs),
        decks(decksFolder, loader),
        descriptions(descriptionsFolder),
        pictureWork(loader, 2) {}

  FixedScreen screen{1024, 768, 738};
  FixedClock clock;
  RandomGenerator random{clock};
  TINIData ini;
  TTaroDecks decks;
  TTaroDescriptions descriptions;
  TCardsSpreadGenerator picker{random};
  TLanguageTable languages;
  RecordingShell shell;
  PictureWorkers pictureWork;
  ContentSelection content{ini, decks, descriptions, picker, random};
  ContentSignals contentChanges{content};
  // Not open: a test that records attaches a FakeJournal.
  JournalKeeper journal;
  ProgramState state{ini,   decks,       descriptions, picker,         random,  screen,  languages,
                     shell, pictureWork, content,      contentChanges, journal, "0x0419"};
};

}  // namespace vaticor::testing
