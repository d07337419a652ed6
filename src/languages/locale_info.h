#pragma once

#include <cstdint>
#include <string>

namespace vaticor {

// The user's locale as the interface-language check needs it.
class LocaleInfo {
 public:
  virtual ~LocaleInfo() = default;
  // The user's default locale identifier as Windows numbers locales
  // (0x0419 Russian, 0x0409 English (United States), ...); 0 when unknown.
  virtual std::uint32_t DefaultLocaleId() const = 0;
};

// "0x" followed by the locale identifier in whole hexadecimal bytes:
// a Russian system gives "0x0419".
std::string SystemLanguageCode(const LocaleInfo& locale);

}  // namespace vaticor
