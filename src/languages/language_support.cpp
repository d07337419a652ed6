#include "languages/language_support.h"

#include "core/file_io.h"
#include "core/ini_document.h"
#include "core/text_utils.h"
#include "languages/language_file.h"

namespace vaticor {

namespace {

// File names are matched as the program always matched them on Windows:
// only the letters a to z fold, whatever the file system does.
std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::optional<std::uint32_t> ParseLanguageId(std::string_view text) {
  if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return std::nullopt;
  const std::optional<std::int32_t> value = ParseIniInteger(text);
  if (!value || *value < 0) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

void Append(LanguageOutcome& into, LanguageOutcome from) {
  for (std::string& message : from.messages) into.messages.push_back(std::move(message));
  into.textsChanged = into.textsChanged || from.textsChanged;
}

}  // namespace

std::string LanguageSettingFor(std::string_view fileName) {
  std::int32_t position = 1;
  return ExtractWord(fileName, position, "", "", "");
}

std::optional<std::uint32_t> LanguageIdOfFileName(std::string_view fileName) {
  const std::string word = LanguageSettingFor(fileName);
  if (AsciiUpper(fileName) != AsciiUpper(word + ".ini")) return std::nullopt;
  return ParseLanguageId(word);
}

std::string MissingLanguageMessage(std::string_view userLanguageId) {
  std::string message =
      "There is no support for a language of your native country.Please send a message with "
      "request for your native language onto mail:";
  message += kDeveloperMailAddress;
  message += " in English. Your Language ID is ";
  message += userLanguageId;
  return message;
}

std::string NotALanguageFileMessage(std::string_view fileName) {
  std::string message = "The file \"";
  message += fileName;
  message +=
      "\" in the language folder is not a language file: it holds none of the interface texts. "
      "The interface language stays as it was.";
  return message;
}

LanguageSupport::LanguageSupport(TLanguageTable& table, std::string& setting, std::string folder,
                                 std::string userLanguageId)
    : table_(table),
      setting_(setting),
      folder_(std::move(folder)),
      userLanguageId_(std::move(userLanguageId)) {}

LanguageOutcome LanguageSupport::StartUp() {
  LanguageOutcome outcome = ApplyUserLanguage();
  Append(outcome, BuildLanguageMenu());
  return outcome;
}

LanguageOutcome LanguageSupport::ApplyUserLanguage() {
  if (userLanguageId_ == "0x0419") return {};
  const std::string ownFile = userLanguageId_ + ".ini";
  FileKind kind = FileKind::kMissing;
  if (std::optional<LanguageFile> own = ReadLanguageFile(ownFile, kind)) {
    return Apply(*own, ownFile);
  }
  const std::optional<std::uint32_t> user = ParseLanguageId(userLanguageId_);
  // Russian of another country reads the built-in texts.
  if (user && PrimaryLanguage(*user) == PrimaryLanguage(kRussianLanguageId)) return {};
  if (std::optional<std::string> sameLanguage = FileOfUserLanguage()) {
    return LoadLanguageFile(*sameLanguage);
  }
  // A damaged own file is as good as none; telling of it at every start
  // would be a message the user cannot get rid of.
  return NoUserLanguageFile();
}

LanguageOutcome LanguageSupport::BuildLanguageMenu() {
  entries_.clear();
  int matching = -1;
  const std::string wanted = AsciiUpper(setting_ + ".ini");
  for (const std::string& name : ListDirectory(folder_)) {
    const std::string path = PathOf(name);
    if (!FileExists(path)) continue;
    const LanguageFile file = LanguageFile::Read(path);
    if (!file.IsLanguageFile()) continue;
    if (AsciiUpper(name) == wanted) matching = static_cast<int>(entries_.size());
    std::string caption = file.Name();
    entries_.push_back({caption.empty() ? name : std::move(caption), name});
  }
  LanguageOutcome outcome;
  if (matching != -1) {
    outcome = LoadLanguageFile(entries_[static_cast<std::size_t>(matching)].fileName);
    checkedPosition_ = matching + 1;
  }
  return outcome;
}

LanguageOutcome LanguageSupport::Choose(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return {};
  const std::string& fileName = entries_[static_cast<std::size_t>(index)].fileName;
  FileKind kind = FileKind::kMissing;
  LanguageOutcome outcome = Load(fileName, kind);
  // Changed since the listing into something else: the check mark stays
  // with the texts shown.
  if (kind != FileKind::kNotALanguage) checkedPosition_ = index + 1;
  return outcome;
}

LanguageOutcome LanguageSupport::ChooseRussian() {
  checkedPosition_ = 0;
  LoadRussianTexts();
  return {{}, true};
}

LanguageOutcome LanguageSupport::LoadLanguageFile(const std::string& fileName) {
  FileKind kind = FileKind::kMissing;
  return Load(fileName, kind);
}

LanguageOutcome LanguageSupport::Load(const std::string& fileName, FileKind& kind) {
  if (std::optional<LanguageFile> file = ReadLanguageFile(fileName, kind)) {
    return Apply(*file, fileName);
  }
  if (kind == FileKind::kNotALanguage) return {{NotALanguageFileMessage(fileName)}, false};
  return NoUserLanguageFile();
}

LanguageOutcome LanguageSupport::Apply(const LanguageFile& file, const std::string& fileName) {
  table_.LoadFile(file, PathOf(fileName));
  shownFile_ = fileName;
  setting_ = LanguageSettingFor(fileName);
  return {{}, true};
}

LanguageOutcome LanguageSupport::NoUserLanguageFile() {
  if (setting_ == userLanguageId_) return {};
  setting_ = userLanguageId_;
  return {{MissingLanguageMessage(userLanguageId_)}, false};
}

void LanguageSupport::LoadRussianTexts() {
  table_.LoadRussian();
  shownFile_.clear();
  setting_ = "0x0419";
}

std::uint32_t LanguageSupport::LanguageId() const {
  if (shownFile_.empty()) return kRussianLanguageId;
  return LanguageIdOfFileName(shownFile_).value_or(0);
}

std::optional<LanguageFile> LanguageSupport::ReadLanguageFile(const std::string& fileName,
                                                              FileKind& kind) const {
  const std::string path = PathOf(fileName);
  kind = FileKind::kMissing;
  if (!FileExists(path)) return std::nullopt;
  LanguageFile file = LanguageFile::Read(path);
  kind = file.IsLanguageFile() ? FileKind::kLanguage : FileKind::kNotALanguage;
  if (kind != FileKind::kLanguage) return std::nullopt;
  return file;
}

LanguageSupport::FileKind LanguageSupport::KindOf(const std::string& fileName) const {
  FileKind kind = FileKind::kMissing;
  ReadLanguageFile(fileName, kind);
  return kind;
}

std::string LanguageSupport::PathOf(const std::string& fileName) const {
  // No folder is a folder without files, not the working directory.
  return folder_.empty() ? std::string() : JoinPath(folder_, fileName);
}

std::optional<std::string> LanguageSupport::FileOfUserLanguage() const {
  const std::optional<std::uint32_t> user = ParseLanguageId(userLanguageId_);
  if (!user || PrimaryLanguage(*user) == 0) return std::nullopt;
  std::optional<std::string> first;
  for (const std::string& name : ListDirectory(folder_)) {
    const std::optional<std::uint32_t> id = LanguageIdOfFileName(name);
    if (!id || PrimaryLanguage(*id) != PrimaryLanguage(*user) ||
        KindOf(name) != FileKind::kLanguage)
      continue;
    if (*id == *user) return name;
    if (!first) first = name;
  }
  return first;
}

}  // namespace vaticor
