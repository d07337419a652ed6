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

// A user whose locale is fixed at one identifier, for tests and tools.
class FixedLocale : public LocaleInfo {
 public:
  explicit FixedLocale(std::uint32_t id) : id_(id) {}
  std::uint32_t DefaultLocaleId() const override { return id_; }

 private:
  std::uint32_t id_;
};

// The identifier of the built-in Russian language, also the default of the
// "Language" setting.
inline constexpr std::uint32_t kRussianLanguageId = 0x0419;

// "0x" followed by the locale identifier in upper-case hexadecimal, two
// digits per byte from the highest non-zero byte down, at least one byte:
// 0x0409 gives "0x0409", 0x0809 "0x0809", 0x10409 "0x010409", 0 "0x00".
// Computed once at start-up; the language files of the user's own language
// are named with it.
std::string UserLanguageId(const LocaleInfo& locale);
// The same text: the name the program's start-up knows it by.
inline std::string SystemLanguageCode(const LocaleInfo& locale) { return UserLanguageId(locale); }

// The primary language of a locale identifier, its low ten bits: 0x0809
// (English, United Kingdom) and 0x0409 (United States) are both 0x09.
constexpr std::uint32_t PrimaryLanguage(std::uint32_t localeId) { return localeId & 0x3FF; }

// The name of Qt's own translation ("qtbase_<name>.qm") for a locale
// identifier: "de", "en", "es", "fr", "ru", "uk", ... and "pt_BR", "zh_CN",
// "zh_TW" where Qt tells the countries apart; empty when Qt ships no
// translation for that language (its own texts then stay in English).
std::string QtLocaleNameFor(std::uint32_t localeId);

}  // namespace vaticor
