#include "platform/font_warmup.h"

#include <QFontDatabase>
#include <QStringList>

#ifdef VATICOR_WITH_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace vaticor {

std::jthread StartFontConfigurationLoad() {
#ifdef VATICOR_WITH_FONTCONFIG
  // Fontconfig installs the configuration it loaded atomically, once: a
  // second loader (Qt's, racing this one) throws its own copy away.
  return std::jthread([] { FcInit(); });
#else
  return {};
#endif
}

std::jthread StartFontDatabaseLoad() {
  return std::jthread([] { QFontDatabase::families(); });
}

}  // namespace vaticor
