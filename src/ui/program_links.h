#pragma once

namespace vaticor {

// What the program itself (app/program.h), not a window, offers the
// windows.

// The lists of installed decks and description sets, read again after the
// folder-selection window added one (ContentSelection::ReloadDecks): the
// deck (set) in use stays in use (found by its folder: a new one may sort
// before it), and a program that had none takes the first and shows it at
// once.
class InstalledListsLink {
 public:
  virtual ~InstalledListsLink() = default;
  virtual void RebuildDeckMenu() = 0;
  virtual void RebuildDescriptionMenu() = 0;
};

// The interface language, chosen from the main window's language submenu.
class LanguageMenuLink {
 public:
  virtual ~LanguageMenuLink() = default;
  // Position 0 is "[rus] Русский", position i + 1 the i-th language file.
  // The texts of every window change; the submenu's check mark moves.
  virtual void ChooseLanguage(int position) = 0;
};

}  // namespace vaticor
