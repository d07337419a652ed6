#pragma once

#include <cstdint>

#include "languages/locale_info.h"

namespace vaticor::testing {

// A user whose locale is fixed at one identifier (0x0419 Russian, ...).
class FixedLocale : public LocaleInfo {
 public:
  explicit FixedLocale(std::uint32_t id) : id_(id) {}
  std::uint32_t DefaultLocaleId() const override { return id_; }

 private:
  std::uint32_t id_;
};

}  // namespace vaticor::testing
