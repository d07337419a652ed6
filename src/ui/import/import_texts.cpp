#include "ui/import/import_texts.h"

#include <QStringList>

#include "ui/chrome/deck_problems.h"
#include "ui/chrome/interface_text.h"

namespace vaticor {
QString ImportFailureText(const TLanguageTable& languages, const ImportFailure& failure) {
  struct Words {
    ImportFailureReason reason;
    const char* key;
    const char* russian;
  };
  static constexpr Words kWords[] = {
      {ImportFailureReason::kLeadsOut, "ImportLeadsOut", "%1: ведёт за пределы папки"},
      {ImportFailureReason::kFolderName, "ImportFolderName",
       "«%1»: такое имя папки ведёт за пределы папки программы"},
      {ImportFailureReason::kCannotRead, "ImportCannotRead", "%1: не удалось прочитать"},
      {ImportFailureReason::kCannotWrite, "ImportCannotWrite", "%1: не удалось записать"},
      {ImportFailureReason::kDiskFull, "ImportDiskFull", "%1: диск заполнен"},
      {ImportFailureReason::kNoPermission, "ImportNoPermission", "%1: нет доступа"},
      {ImportFailureReason::kCannotMakeFolder, "ImportCannotMakeFolder",
       "%1: не удалось создать папку"},
      {ImportFailureReason::kCannotPutInPlace, "ImportCannotPutInPlace",
       "%1: готовую копию не удалось поставить на место"},
      {ImportFailureReason::kNoFreeName, "ImportNoFreeName",
       "%1: все имена от (2) до (999) заняты"},
  };
  if (failure.reason == ImportFailureReason::kTwoPicturesOfOneCard) {
    return CardsText(languages, "ImportTwoPicturesOfOneCard",
                     "«%1» и «%2» — картинки одной и той же карты: оставьте в папке одну из них")
        .arg(Utf8(failure.subject), Utf8(failure.second));
  }
  if (failure.reason == ImportFailureReason::kOpenDeckUnusable) {
    return OpenDeckProblemText(languages, failure.problem, failure.subject);
  }
  // kNone and kUnexpected: the failure's own message.
  Words words{ImportFailureReason::kUnexpected, "ImportUnexpected", "Непредвиденная ошибка: %1"};
  for (const Words& known : kWords) {
    if (known.reason == failure.reason) words = known;
  }
  return WithSubject(ReaderText(languages, words.key, words.russian), Utf8(failure.subject));
}

QString ImportFailedCaption(const TLanguageTable& languages, bool added, std::int32_t failed) {
  return (added ? ReaderText(languages, "ImportAddedWithFailures", "Добавлено, ошибок: %1")
                : ReaderText(languages, "ImportNotAddedWithFailures", "Не добавлено, ошибок: %1"))
      .arg(failed);
}

QString ImportReport(const TLanguageTable& languages, const QString& result,
                     const ImportOutcome& outcome) {
  QStringList parts;
  if (outcome.failed > 0) {
    parts << (outcome.added
                  ? result + ". " +
                        ReaderText(languages, "ImportFilesNotCopied", "Не скопировано файлов: %1.")
                            .arg(outcome.failed)
                  : ReaderText(languages, "ImportNothingAdded", "Ничего не добавлено."));
    parts << ImportFailureText(languages, outcome.firstFailure);
  } else if (outcome.added && outcome.missing > 0) {
    parts << result + ".";
  }
  if (outcome.added && outcome.missing > 0) {
    parts << (outcome.madeIndex ? CardsText(languages, "ImportCardsWithoutPictures",
                                            "Карт без картинки: %1 из %2.")
                                : ReaderText(languages, "ImportMissingPictures",
                                             "Нет картинок, указанных в deck.ini: %1 из %2."))
                 .arg(outcome.missing)
                 .arg(outcome.listed);
  }
  return parts.join(QStringLiteral("\n\n"));
}

QString ImportTakenQuestion(const TLanguageTable& languages, ImportMode mode, const QString& name,
                            const QString& beside) {
  const QString question =
      mode == ImportMode::kDeck
          ? ReaderText(languages, "ImportDeckTaken",
                       "Колода «%1» уже установлена. Заменить её или добавить новую рядом как "
                       "«%2»?")
          : ReaderText(languages, "ImportSetTaken",
                       "Описание «%1» уже установлено. Заменить его или добавить новое рядом как "
                       "«%2»?");
  return question.arg(name, beside);
}

QString ImportReplaceAnswer(const TLanguageTable& languages) {
  return ReaderText(languages, "ImportReplace", "Заменить");
}

QString ImportBesideAnswer(const TLanguageTable& languages) {
  return ReaderText(languages, "ImportBeside", "Добавить рядом");
}

QString ImportCancelAnswer(const TLanguageTable& languages) {
  return ReaderText(languages, "ImportCancel", "Отмена");
}

}  // namespace vaticor
