#include "languages/language_file.h"

#include "core/file_io.h"
#include "core/ini_document.h"

namespace vaticor {

LanguageFile LanguageFile::Read(const std::string& path) {
  std::optional<std::string> bytes;
  if (FileExists(path)) bytes = ReadFilePrefix(path, kMaxLanguageFileBytes);
  return LanguageFile(bytes.value_or(std::string()));
}

LanguageFile::LanguageFile(std::string bytes)
    : document_(std::make_unique<const IniDocument>(std::move(bytes))) {}

LanguageFile::~LanguageFile() = default;
LanguageFile::LanguageFile(LanguageFile&&) noexcept = default;
LanguageFile& LanguageFile::operator=(LanguageFile&&) noexcept = default;

std::string LanguageFile::Name() const {
  return document_->Value("Language", "Name").value_or(std::string());
}

std::string LanguageFile::Text(int id) const {
  return document_->Value("ID", std::to_string(id)).value_or(std::string());
}

std::vector<std::pair<std::string, std::string>> LanguageFile::Texts(const char* section) const {
  std::vector<std::pair<std::string, std::string>> texts;
  for (std::string& key : document_->KeyNames(section)) {
    std::string value = document_->Value(section, key).value_or(std::string());
    if (!value.empty()) texts.emplace_back(std::move(key), std::move(value));
  }
  return texts;
}

bool LanguageFile::IsLanguageFile() const {
  for (int id = kFirstInterfaceText; id <= kLastInterfaceText; ++id) {
    if (document_->Value("ID", std::to_string(id))) return true;
  }
  return false;
}

std::string LanguageFile::Title() const {
  return document_->Value("IDs", "1000").value_or(std::string(kDefaultApplicationTitle));
}

}  // namespace vaticor
