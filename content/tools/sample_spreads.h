// Ready-made spreads: empty positions laid out on a 1024 x 768 screen, each
// with a description of what the position means, in Russian and in English.
#pragma once

#include <filesystem>

namespace sample_content {

// The screen the samples are laid out for, and the card size that follows
// it; the program scales both to the screen it opens them on.
inline constexpr int kSpreadScreenWidth = 1024;
inline constexpr int kSpreadScreenHeight = 768;
inline constexpr int kSpreadWorkAreaHeight = 738;  // above a 30-pixel taskbar
inline constexpr int kSpreadCardWidth = 124;
inline constexpr int kSpreadCardHeight = 197;

// Writes the sample spreads of both languages into `folder` (which must
// exist) and reads each one back to check it. Returns how many files were
// written; throws std::runtime_error when one cannot be written or does not
// read back as written.
int write_sample_spreads(const std::filesystem::path& folder);

}  // namespace sample_content
