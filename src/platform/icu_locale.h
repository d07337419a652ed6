#pragma once

#include "languages/locale_info.h"

namespace vaticor {

// The user's default locale through ICU (from LANG / LC_* on Linux),
// numbered as Windows numbers locales.
class IcuLocale : public LocaleInfo {
 public:
  std::uint32_t DefaultLocaleId() const override;

  // The identifier of an ICU locale name ("ru_RU" gives 0x0419, "en_GB"
  // 0x0809). The C and POSIX locales, whose messages are English, count as
  // US English (0x0409) rather than as the invariant locale; 0 when ICU
  // knows no identifier for the name.
  static std::uint32_t LocaleIdOf(const char* localeName);
};

}  // namespace vaticor
