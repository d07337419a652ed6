#include "languages/locale_info.h"

#include <array>
#include <utility>

#include "core/text_utils.h"

namespace vaticor {

std::string UserLanguageId(const LocaleInfo& locale) {
  return "0x" + IntToHexZ(locale.DefaultLocaleId(), 0);
}

std::string QtLocaleNameFor(std::uint32_t localeId) {
  // Languages whose countries Qt translates apart, or whose primary number
  // is shared with languages Qt does not translate (0x1A is also Serbian
  // and Bosnian, 0x14 also Norwegian Bokmål).
  switch (localeId) {
    case 0x0804:
    case 0x1004:
      return "zh_CN";  // China, Singapore
    case 0x0404:
    case 0x0C04:
    case 0x1404:
      return "zh_TW";  // Taiwan, Hong Kong, Macao
    case 0x041A:
    case 0x101A:
      return "hr";  // Croatia, Bosnia (Latin)
    case 0x0814:
      return "nn";
    default:
      break;
  }
  static constexpr std::array<std::pair<std::uint32_t, const char*>, 25> kByPrimary = {{
      {0x01, "ar"}, {0x02, "bg"}, {0x03, "ca"},    {0x05, "cs"}, {0x06, "da"},
      {0x07, "de"}, {0x09, "en"}, {0x0A, "es"},    {0x0B, "fi"}, {0x0C, "fr"},
      {0x0D, "he"}, {0x0E, "hu"}, {0x10, "it"},    {0x11, "ja"}, {0x12, "ko"},
      {0x13, "nl"}, {0x15, "pl"}, {0x16, "pt_BR"}, {0x19, "ru"}, {0x1B, "sk"},
      {0x1F, "tr"}, {0x22, "uk"}, {0x26, "lv"},    {0x29, "fa"}, {0x91, "gd"},
  }};
  const std::uint32_t primary = PrimaryLanguage(localeId);
  for (const auto& [id, name] : kByPrimary) {
    if (id == primary) return name;
  }
  return {};
}

}  // namespace vaticor
