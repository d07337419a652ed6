#pragma once

#include <string>

namespace vaticor::bench {

// The bytes of a reading log kept for years: `lines` lines, a date line
// before every tenth, one- and three-card readings, most with a Russian
// question, every line ending in CR LF (UTF-8, as the program writes it).
std::string LongLogBytes(int lines);

}  // namespace vaticor::bench
