#include "platform/icu_locale.h"

#include <unicode/uloc.h>

#include <cstring>

namespace vaticor {

std::uint32_t IcuLocale::DefaultLocaleId() const { return LocaleIdOf(uloc_getDefault()); }

std::uint32_t IcuLocale::LocaleIdOf(const char* localeName) {
  // ICU takes LANG=C (or POSIX, or none) for "en_US_POSIX", whose
  // identifier is the invariant locale 0x007F: no user's language.
  char canonical[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_canonicalize(localeName, canonical, sizeof canonical, &status);
  if (U_FAILURE(status)) return 0;
  if (std::strcmp(canonical, "c") == 0 || std::strcmp(canonical, "posix") == 0 ||
      std::strcmp(canonical, "en_US_POSIX") == 0) {
    return 0x0409;
  }
  return uloc_getLCID(canonical);
}

}  // namespace vaticor
