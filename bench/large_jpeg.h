#pragma once

#include <string>

namespace vaticor::bench {

// A photograph-like JPEG at quality 85, made once for each size:
// 3000 x 5000 unless asked otherwise.
const std::string& LargeJpeg(int width = 3000, int height = 5000);

}  // namespace vaticor::bench
