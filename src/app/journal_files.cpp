#include "app/journal_files.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>

#include "core/user_failure.h"
#include "library/journal_export.h"
#include "platform/sqlite_journal.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/file_choice.h"
#include "ui/chrome/interface_text.h"
#include "ui/journal/journal_form.h"
#include "ui/journal_keeper.h"

namespace vaticor {

namespace {

struct Caption {
  const char* name;
  const char* key;
  const char* russian;
};
constexpr Caption kCaptions[] = {
    {"JournalExportJson", "ExportJson", "Сохранить список в JSON..."},
    {"JournalExportCsv", "ExportCsv", "Сохранить список в CSV..."},
    {"JournalBackup", "Backup", "Резервная копия дневника..."},
    {"JournalRestore", "Restore", "Восстановить дневник из копии..."},
};

}  // namespace

JournalFileCommands::JournalFileCommands(TJournalForm& window, JournalKeeper& keeper,
                                         SqliteJournal& journal, const TLanguageTable& languages)
    : QObject(&window), window_(window), keeper_(keeper), journal_(journal), languages_(languages) {
  CommandSet& c = window.Commands();
  c.Add("JournalExportJson", [this] { Export(true); });
  c.Add("JournalExportCsv", [this] { Export(false); });
  c.Add("JournalBackup", [this] { Backup(); });
  c.Add("JournalRestore", [this] { Restore(); });
  for (const Caption& caption : kCaptions) window.JournalMenu()->addAction(c[caption.name]);
  c["JournalRestore"]->setEnabled(!journal.ReadOnly());
  ApplyLanguage();
}

void JournalFileCommands::ApplyLanguage() {
  for (const Caption& caption : kCaptions) {
    window_.Commands()[caption.name]->setText(
        JournalText(languages_, caption.key, caption.russian));
  }
}

JournalFileCommands::~JournalFileCommands() = default;

void JournalFileCommands::Export(bool json) {
  const std::string path = ChooseFile(
      &window_, true, json ? QStringLiteral("JSON (*.json)") : QStringLiteral("CSV (*.csv)"),
      json ? QStringLiteral("json") : QStringLiteral("csv"));
  if (path.empty()) return;
  if (exporting_.joinable()) exporting_.join();
  JournalCsvWords words;
  words.reversed = JournalText(languages_, "ReversedWord", "перевёрнута").toStdString();
  words.physical = JournalText(languages_, "PhysicalWord", "своя колода").toStdString();
  const JournalFilter filter = window_.CurrentFilter();
  const std::string journalPath = journal_.Path();
  const QString done = JournalText(languages_, "Exported", "Записей сохранено: %1");
  QApplication::setOverrideCursor(Qt::BusyCursor);
  QPointer<JournalFileCommands> self(this);
  exporting_ = std::jthread([=] {
    QString message;
    bool failed = false;
    try {
      const SqliteJournal reader(journalPath);
      const std::size_t written =
          ExportJournal(reader, filter,
                        json ? JournalExportFormat::kJson : JournalExportFormat::kCsv, path, words);
      message = WithSubject(done, QString::number(written));
    } catch (const std::exception& failure) {
      message = FailureMessage(failure);
      failed = true;
    }
    QMetaObject::invokeMethod(
        qApp,
        [self, message, failed] {
          QApplication::restoreOverrideCursor();
          if (self) self->ExportEnded(message, failed);
        },
        Qt::QueuedConnection);
  });
}

void JournalFileCommands::ExportEnded(const QString& message, bool failed) {
  if (failed) {
    ShowFailure(&window_, message);
  } else {
    ShowNotice(&window_, message);
  }
}

void JournalFileCommands::Backup() {
  const std::string path = ChooseFile(&window_, true, QStringLiteral("Vaticor Journal (*.journal)"),
                                      QStringLiteral("journal"));
  if (path.empty()) return;
  RunJournalCommand(&window_, languages_, [&] {
    window_.SaveEdits();
    journal_.BackupTo(path);
  });
}

void JournalFileCommands::Restore() {
  const std::string path =
      ChooseFile(&window_, false, QStringLiteral("Vaticor Journal (*.journal);;* (*)"), QString());
  if (path.empty()) return;
  const QMessageBox::StandardButton answer = QMessageBox::question(
      &window_, window_.windowTitle(),
      JournalText(languages_, "RestoreAsk",
                  "Заменить все записи дневника записями копии? Нынешний дневник будет "
                  "сохранён рядом с ним."));
  if (answer != QMessageBox::Yes) return;
  RunJournalCommand(&window_, languages_, [&] {
    window_.SaveEdits();
    const std::string safety = journal_.RestoreFrom(path);
    keeper_.AnnounceReplaced();
    ShowNotice(&window_, WithSubject(JournalText(languages_, "Restored",
                                                 "Дневник восстановлен. Прежний сохранён как %1"),
                                     QString::fromStdString(safety)));
  });
}

}  // namespace vaticor
