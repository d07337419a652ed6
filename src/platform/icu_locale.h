#pragma once

#include "languages/locale_info.h"

namespace vaticor {

// The user's default locale through ICU (from LANG / LC_* on Linux),
// numbered as Windows numbers locales.
class IcuLocale : public LocaleInfo {
 public:
  std::uint32_t DefaultLocaleId() const override;
};

}  // namespace vaticor
