#pragma once

#include <QString>
#include <cstdint>

#include "languages/language_table.h"
#include "library/folder_import.h"

namespace vaticor {

// What the folder-selection window says about an import, in the interface
// language (the language file's "Reader" texts, else the built-in Russian
// ones). Names and values from the files are shown as they are.

// Why `failure` happened: "Card05 = ..\x: leads out of the folder".
QString ImportFailureText(const TLanguageTable& languages, const ImportFailure& failure);

// The bottom caption after an import with `failed` failures (1 or more).
QString ImportFailedCaption(const TLanguageTable& languages, bool added, std::int32_t failed);

// The message box after an import: `result` ("Колода добавлена") when it
// was added, then the count of files not copied and the first reason, and
// for a deck how many of the pictures its deck.ini lists are missing (of
// the cards of a deck whose deck.ini was made, how many have no picture).
// Empty when there is nothing to say beyond the caption.
QString ImportReport(const TLanguageTable& languages, const QString& result,
                     const ImportOutcome& outcome);

// The question when the folder's name is taken among the installed ones,
// and its answers in order: replace, add beside as `beside`, cancel.
QString ImportTakenQuestion(const TLanguageTable& languages, ImportMode mode, const QString& name,
                            const QString& beside);
QString ImportReplaceAnswer(const TLanguageTable& languages);
QString ImportBesideAnswer(const TLanguageTable& languages);
QString ImportCancelAnswer(const TLanguageTable& languages);

}  // namespace vaticor
