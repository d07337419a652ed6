#pragma once

#include "core/screen.h"

namespace vaticor {

// The primary screen as Qt sees it. The taskbar's top edge is the bottom of
// the screen's usable area: the desktop reserves the strip below it for its
// panel (on a desktop without a bottom panel that is the screen's bottom).
class QtScreen : public ScreenInfo {
 public:
  int Width() const override;
  int Height() const override;
  ScreenRect TaskBarRect() const override;
  bool HasTray() const override;
};

}  // namespace vaticor
