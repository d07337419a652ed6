#include "library/common_card_names.h"

namespace vaticor {

std::string CommonCardName(std::int32_t, std::string_view) { return {}; }

}  // namespace vaticor
