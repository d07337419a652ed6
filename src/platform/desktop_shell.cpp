#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
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

struct SkipAtoms {
  xcb_atom_t state = XCB_ATOM_NONE;
  xcb_atom_t skips[2] = {XCB_ATOM_NONE, XCB_ATOM_NONE};  // taskbar, pager
};

// The program has one connection; its atoms are asked for once.
const SkipAtoms& Atoms(xcb_connection_t* connection) {
  static const SkipAtoms atoms{InternAtom(connection, "_NET_WM_STATE"),
                               {InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                InternAtom(connection, "_NET_WM_STATE_SKIP_PAGER")}};
  return atoms;
}

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 == nullptr ? nullptr : x11->connection();
}

// The window's _NET_WM_STATE with or without the taskbar and pager skips,
// set before the window is mapped (Qt merges its own states into what it
// finds there when it maps the window).
void SetSkipTaskbarBeforeMap(QWidget* window, bool skip) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  const SkipAtoms& atoms = Atoms(connection);
  if (atoms.state == XCB_ATOM_NONE) return;
  const auto id = static_cast<xcb_window_t>(window->winId());
  std::vector<xcb_atom_t> states;
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, id, atoms.state, XCB_ATOM_ATOM, 0, 1024);
  if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
    if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
      const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
      states.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
  }
  for (const xcb_atom_t skipAtom : atoms.skips) {
    if (skipAtom == XCB_ATOM_NONE) continue;
    states.erase(std::remove(states.begin(), states.end(), skipAtom), states.end());
    if (skip) states.push_back(skipAtom);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atoms.state, XCB_ATOM_ATOM, 32,
                      static_cast<std::uint32_t>(states.size()), states.data());
  xcb_flush(connection);
}

// The same asked of the window manager for a mapped window. A window hidden
// and at once shown again can be mapped before the window manager has seen
// it withdrawn, and a window manager removes the states of a withdrawn
// window: what was set before the map is then lost, and this sets it again.
void RequestSkipTaskbar(QWidget* window, bool skip) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  const SkipAtoms& atoms = Atoms(connection);
  if (atoms.state == XCB_ATOM_NONE) return;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window->winId());
  message.type = atoms.state;
  message.data.data32[0] = skip ? 1 : 0;  // _NET_WM_STATE_ADD or _REMOVE
  message.data.data32[1] = atoms.skips[0];
  message.data.data32[2] = atoms.skips[1];
  message.data.data32[3] = 1;  // from an application
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
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
      const bool skip = !visible_;
      SetSkipTaskbarBeforeMap(window_, skip);
      // Once the window is mapped (the show event comes first).
      QTimer::singleShot(0, window_, [window = window_, skip] {
        if (window->isVisible()) RequestSkipTaskbar(window, skip);
      });
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

DesktopShell::DesktopShell() : running_(std::make_unique<QObject>()) {}

DesktopShell::~DesktopShell() {
  for (QProcess* process : running_->findChildren<QProcess*>()) {
    process->disconnect();
    process->kill();
    process->waitForFinished(1000);
  }
}

void DesktopShell::Open(const std::string& url, std::function<void()> failed) {
  const QString link = QString::fromStdString(url);
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    if (!QDesktopServices::openUrl(QUrl(link)) && failed) failed();
    return;
  }
  auto* process = new QProcess(running_.get());
  process->setStandardInputFile(QProcess::nullDevice());
  // Its lines ("no method available ...") are said in the message box.
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer clock;
  clock.start();
  const auto ended = [process, clock, failed = std::move(failed)](bool failure) {
    if (failure && failed && clock.elapsed() < kVerdictMs) failed();
    process->deleteLater();
  };
  QObject::connect(process, &QProcess::finished, process,
                   [ended](int code, QProcess::ExitStatus status) {
                     ended(status != QProcess::NormalExit || code != 0);
                   });
  // A process that starts reports its end through finished alone.
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [ended](QProcess::ProcessError error) {
                     if (error == QProcess::FailedToStart) ended(true);
                   });
  process->start(opener, {link});
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
