#pragma once

#include <QImage>
#include <QPoint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/user_failure.h"
#include "library/reading_text.h"

class QAction;
class QWidget;

namespace vaticor {

class TLanguageTable;

// Sharing a reading (the main window's draw, a spread): its text on the
// clipboard, a picture of its cards saved as a PNG file.

// Where a reading's picture goes, behind an interface so that tests choose
// the file. Paths are UTF-8.
class ReadingPictureDialog {
 public:
  virtual ~ReadingPictureDialog() = default;
  // A file to save a PNG picture into, offered as `suggestedName`; empty
  // when the user cancels.
  virtual std::string SavePicturePath(QWidget* parent, const std::string& suggestedName) = 0;
};

// The desktop's save dialog, starting in the user's Pictures folder (the
// home folder when the desktop names none), filter "PNG (*.png)"; a name
// typed without a suffix gets ".png".
std::unique_ptr<ReadingPictureDialog> MakeReadingPictureDialog();

// A picture that could not be written; what() is "Unable to write to
// <file>", the message the user sees.
class PictureWriteError : public WriteFailure {
 public:
  using WriteFailure::WriteFailure;
};

// The cards lie too far apart for one picture (ReadingPictureFits);
// what() says so, with the size the picture would have.
class PictureTooLargeError : public UserFailure {
 public:
  PictureTooLargeError(long long width, long long height);
};

// A widget and where its top-left corner stands, in one coordinate system
// for all (screen pixels for windows, a window's own for its children).
struct PlacedWidget {
  QWidget* widget = nullptr;
  QPoint at;
};

// The widgets as they show now (QWidget::grab), each painted at its place
// in a picture as large as the box that bounds them all, in list order (a
// later one over an earlier one), on a transparent ground: what lies behind
// them is not in it. A null image for no widget. Raises
// PictureTooLargeError, before allocating anything, for a box past the
// limits of ReadingPictureFits.
QImage PictureOfWidgets(const std::vector<PlacedWidget>& widgets);

// The reading's picture as a PNG file, written as one replacement of the
// file (a crash or a full disk leaves the old file or the new one). Raises
// PictureWriteError when it cannot be encoded or written.
void WritePngFile(const QImage& picture, const std::string& path);

// Asks `dialog` for a file, offering ReadingPictureFileName(moment), and
// writes the picture there; nothing when the user cancels. Raises
// PictureWriteError.
void SaveReadingPicture(QWidget* parent, ReadingPictureDialog& dialog, const QImage& picture,
                        const std::string& moment);

// Puts a reading's text on the clipboard.
void CopyReadingText(const std::string& text);

// The moment of a reading now, as the reading log writes it: the date in
// the user's short date format, a blank and the time in the long time
// format.
std::string ReadingMomentNow();

// `moment` when the reading has one, else the moment now.
std::string ReadingMomentOr(const std::string& moment);

// The captions of the two entries that share a reading ("Reader" keys
// CopyReading and SaveReadingPicture) in the interface language, the
// built-in Russian ones where it has none; without a table, the built-in
// ones.
void CaptionShareEntries(const TLanguageTable& languages, QAction* copyReading,
                         QAction* saveReadingPicture);
void CaptionShareEntries(QAction* copyReading, QAction* saveReadingPicture);

// The words of a reading's text in the interface language ("Reader" keys
// Question, Upright, Reversed, NoCard), the built-in Russian ones where it
// has none.
ReadingWords ReadingWordsOf(const TLanguageTable& languages);

}  // namespace vaticor
