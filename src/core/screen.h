#pragma once

namespace vaticor {

// A rectangle in screen pixels; right and bottom are exclusive.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ScreenRect&) const = default;
};

// What the program needs to know about the screen. The platform layer asks
// the desktop; tests put the program on any screen they like.
class ScreenInfo {
 public:
  virtual ~ScreenInfo() = default;
  // Size of the whole screen in pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The taskbar's rectangle. On a desktop whose panels do not say where they
  // are, a rectangle whose top edge is the bottom of the usable screen area.
  virtual ScreenRect TaskBarRect() const = 0;
  // Whether the desktop shows notification-area (tray) icons. Without one,
  // a window hidden "into the tray" could never be brought back.
  virtual bool HasTray() const = 0;
};

// A screen of fixed size and taskbar, for tests and tools.
class FixedScreen : public ScreenInfo {
 public:
  FixedScreen(int width, int height, int taskBarTop)
      : width_(width), height_(height), taskBar_{0, taskBarTop, width, height} {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  ScreenRect TaskBarRect() const override { return taskBar_; }
  bool HasTray() const override { return hasTray_; }
  void SetHasTray(bool hasTray) { hasTray_ = hasTray; }
  void Resize(int width, int height, int taskBarTop) {
    width_ = width;
    height_ = height;
    taskBar_ = {0, taskBarTop, width, height};
  }

 private:
  int width_;
  int height_;
  ScreenRect taskBar_;
  bool hasTray_ = true;
};

}  // namespace vaticor
