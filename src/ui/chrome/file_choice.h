#pragma once

#include <QString>
#include <string>

class QWidget;

namespace vaticor {

// A file chosen in the desktop's dialog, starting in the user's documents
// folder: one to write (`save`; a name typed without a suffix gets
// `suffix`) or an existing one to read. `filter` is the dialog's name
// filter ("CSV (*.csv)"); `suggested`, a name offered to save under (the
// characters no file name may hold made "-"). The path in UTF-8; empty
// when cancelled.
std::string ChooseFile(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                       const QString& suggested = {});

}  // namespace vaticor
