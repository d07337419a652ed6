#include "languages/locale_info.h"

#include "core/text_utils.h"

namespace vaticor {

std::string SystemLanguageCode(const LocaleInfo& locale) {
  return "0x" + IntToHexZ(locale.DefaultLocaleId(), 0);
}

}  // namespace vaticor
