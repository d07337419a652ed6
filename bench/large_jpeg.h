#pragma once

#include <string>

namespace vaticor::bench {

// A 3000 x 5000 photograph-like JPEG at quality 85, made once.
const std::string& LargeJpeg();

}  // namespace vaticor::bench
