#include "library/taro_descriptions.h"

#include "core/file_io.h"
#include "core/text_utils.h"
#include "library/content_language.h"

namespace vaticor {

namespace {
constexpr const char* kDescriptionIni = "description.ini";
}

TTaroDescriptions::TTaroDescriptions(std::string descriptionsFolder)
    : folders_(std::move(descriptionsFolder)) {}

void TTaroDescriptions::LoadDescriptions() {
  Folders.clear();
  DisplayNames.clear();
  Languages.clear();
  Count = 0;
  for (ListedFolder& set : folders_.List(kDescriptionIni)) {
    const vaticor::IniFile file(JoinPath(set.path, kDescriptionIni));
    Folders.push_back(std::move(set.name));
    DisplayNames.push_back(file.ReadString("Description", "Name", ""));
    Languages.push_back(file.ReadString("Description", kContentLanguageKey, ""));
    ++Count;
  }
  SelectDescription(Count != 0 ? 0 : -1);
}

void TTaroDescriptions::SelectDescription(std::int32_t index) {
  if (Count > 0 && index < 0) index = 0;
  const std::string iniName = GetDescriptionIniName(index);
  IniFile = vaticor::IniFile(iniName);
  Sections = IniFile.ReadSection("Sections");
  // Listed afresh on every selection, so documents added since are seen.
  documents_ = IndexedFolder(ParentPath(iniName));
  Index = index;
}

std::string TTaroDescriptions::GetDescriptionIniName(std::int32_t index) const {
  if (Count <= 0 || index < 0 || index > Count - 1) return {};
  return JoinPath(folders_.PathOf(Folders[static_cast<std::size_t>(index)]), kDescriptionIni);
}

std::string TTaroDescriptions::GetCardTextFileName(std::int32_t number, std::int32_t section) {
  if (number < 0 || section < 0 || section > static_cast<std::int32_t>(Sections.size()) - 1) {
    return {};
  }
  if (Index < 0 || Index >= Count) return {};
  const std::string value = IniFile.ReadString(Sections[static_cast<std::size_t>(section)],
                                               "Card" + IntToStr2(number), "");
  if (value.empty()) return {};
  IndexedFolder::Entry document = documents_.Find(value);
  return document.isFile ? std::move(document.path) : std::string();
}

}  // namespace vaticor
