#pragma once

#include <stdexcept>
#include <string>

namespace vaticor {

// A failure the user is to hear of, told by its kind and what it names (a
// file, an extension, a logged value, a picture's size). what() is the
// program's own English wording; the windows show it in the interface
// language from the kind and the subject (ui/chrome/commands.h).
class UserFailure : public std::runtime_error {
 public:
  enum class Kind {
    kUnableToWrite,            // subject: the file
    kUnknownPictureExtension,  // subject: the extension, without its dot
    kInvalidInteger,           // subject: the text that is no integer
    kPictureTooLarge,          // subject: "width x height"
    // A file to restore the journal from that is no journal this program
    // can take (another program's, a damaged one, one of a newer version).
    // Subject: the file.
    kNotAJournal,
  };
  UserFailure(Kind kind, std::string subject, const std::string& message)
      : std::runtime_error(message), kind_(kind), subject_(std::move(subject)) {}
  Kind kind() const { return kind_; }
  const std::string& subject() const { return subject_; }

 private:
  Kind kind_;
  std::string subject_;
};

// "Unable to write to <file>".
class WriteFailure : public UserFailure {
 public:
  explicit WriteFailure(const std::string& fileName)
      : UserFailure(Kind::kUnableToWrite, fileName, "Unable to write to " + fileName) {}
};

}  // namespace vaticor
