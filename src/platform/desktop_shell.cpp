#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <vector>

#ifdef VATICOR_WITH_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace vaticor {

namespace {

#ifdef VATICOR_WITH_XCB
xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

// The window's _NET_WM_STATE with or without the taskbar and pager skips,
// set while the window is not mapped (Qt merges its own states into what
// it finds there when it maps the window).
void SetSkipTaskbar(QWidget* window, bool skip) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window->winId());
  // The program has one connection; its atoms are asked for once.
  static const xcb_atom_t state = InternAtom(connection, "_NET_WM_STATE");
  static const xcb_atom_t skips[] = {InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                     InternAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
  if (state == XCB_ATOM_NONE) return;

  std::vector<xcb_atom_t> atoms;
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, id, state, XCB_ATOM_ATOM, 0, 1024);
  if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
    if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
      const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
      atoms.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
  }
  for (const xcb_atom_t skipAtom : skips) {
    if (skipAtom == XCB_ATOM_NONE) continue;
    atoms.erase(std::remove(atoms.begin(), atoms.end(), skipAtom), atoms.end());
    if (skip) atoms.push_back(skipAtom);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                      static_cast<std::uint32_t>(atoms.size()), atoms.data());
  xcb_flush(connection);
}
#endif

// Before each map of the window (the show event comes first): desktops
// whose taskbar lists tool windows too (tint2, LXDE and others list every
// window that does not ask to be skipped) are asked to skip it.
class TaskbarButtonRule : public QObject {
 public:
  explicit TaskbarButtonRule(QWidget* window) : QObject(window), window_(window) {
    setObjectName("TaskbarButtonRule");
    window->installEventFilter(this);
  }
  void SetVisible(bool visible) { visible_ = visible; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
#ifdef VATICOR_WITH_XCB
    if (watched == window_ && event->type() == QEvent::Show &&
        QGuiApplication::platformName() == QLatin1String("xcb")) {
      SetSkipTaskbar(window_, !visible_);
    }
#else
    (void)watched;
    (void)event;
#endif
    return false;
  }

 private:
  QWidget* window_;
  bool visible_ = true;
};

}  // namespace

void DesktopShell::Open(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void SetTaskbarButtonVisible(QWidget* window, bool visible) {
  // Only this function makes children of that name.
  auto* rule = static_cast<TaskbarButtonRule*>(
      window->findChild<QObject*>("TaskbarButtonRule", Qt::FindDirectChildrenOnly));
  if (rule == nullptr) rule = new TaskbarButtonRule(window);
  rule->SetVisible(visible);
  const bool isTool = window->windowFlags().testFlag(Qt::Tool);
  if (isTool == !visible) return;
  const bool wasVisible = window->isVisible();
  const QRect geometry = window->geometry();
  window->setWindowFlag(Qt::Tool, !visible);
  if (wasVisible) {
    window->setGeometry(geometry);
    window->show();
  }
}

}  // namespace vaticor
