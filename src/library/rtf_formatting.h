#pragma once

#include <cstdint>

#include "library/rtf_control_words.h"
#include "library/rtf_group_state.h"

namespace vaticor::rtf {

// Character and paragraph formatting words (\b, \fs, \qc, \li, ...) applied
// to a group's formats. Sizes are held to Word's limits: 1,638 points, 22
// inches of indent. False, changing nothing, for any other word.
bool ApplyFormatting(WordAction action, bool hasParam, std::int64_t param, CharFormat& chr,
                     ParaFormat& para);

}  // namespace vaticor::rtf
