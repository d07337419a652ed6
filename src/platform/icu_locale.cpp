#include "platform/icu_locale.h"

#include <unicode/uloc.h>

namespace vaticor {

std::uint32_t IcuLocale::DefaultLocaleId() const {
  return uloc_getLCID(uloc_getDefault());
}

}  // namespace vaticor
