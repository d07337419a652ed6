#include "long_log.h"

#include <cstdio>

namespace vaticor::bench {

std::string LongLogBytes(int lines) {
  static const char* const kQuestions[] = {
      "Что меня ждёт?",
      "Будет ли удачной поездка в июле",
      "",
      "Стоит ли менять работу? [важно]",
      "Как сложатся отношения с братом",
  };
  std::string text;
  text.reserve(static_cast<std::size_t>(lines) * 48);
  char line[128];
  for (int i = 0; i < lines; ++i) {
    if (i % 10 == 0) {
      const int day = i / 10;
      std::snprintf(line, sizeof line, "[%02d.%02d.%04d]\r\n", day % 28 + 1, day / 28 % 12 + 1,
                    2000 + day / 336);
      text += line;
      continue;
    }
    const int a = i % 78;
    const int b = (i * 7 + 3) % 78;
    const int c = (i * 13 + 5) % 78;
    if (i % 3 == 0) {
      std::snprintf(line, sizeof line, "%02d:%02d:%02d [%d]", i % 24, i % 60, (i * 7) % 60, -a);
    } else {
      std::snprintf(line, sizeof line, "%02d:%02d:%02d [%d] [%d] [%d]", i % 24, i % 60,
                    (i * 7) % 60, a, -b, c);
    }
    text += line;
    if (i % 4 != 0) {
      text += ' ';
      text += kQuestions[i % 5];
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace vaticor::bench
