#include "ui/chrome/accessible_controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include "ui/chrome/commands.h"
#include "ui/chrome/skin_style.h"

namespace vaticor {
namespace {

// Installed on a control made a button, as its child: presses it from the
// keyboard and frames it while it has the focus.
class ButtonBehaviour : public QObject {
 public:
  ButtonBehaviour(QWidget* control, std::function<void()> press)
      : QObject(control), control_(control), press_(std::move(press)) {
    control->installEventFilter(this);
  }

  // As a click: the window's command, its failure shown over the window.
  // The command may take the control, and this with it, away.
  void Press() const {
    const std::function<void()> press = press_;
    RunCommand(control_->window(), press);
  }

  static ButtonBehaviour* Of(const QObject* control) {
    for (QObject* child : control->children()) {
      if (auto* behaviour = dynamic_cast<ButtonBehaviour*>(child)) return behaviour;
    }
    return nullptr;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != control_ || painting_) return false;
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!IsPressKey(key)) return false;
        // The window's keys act on a release; so does a button, once per
        // press of the key held.
        if (key.isAutoRepeat()) return true;
        if (event->type() == QEvent::KeyPress) {
          keyDown_ = key.key();
          return true;
        }
        if (keyDown_ != key.key()) return true;
        keyDown_ = 0;
        Press();  // may take the control away: nothing after it
        return true;
      }
      case QEvent::FocusOut:
        keyDown_ = 0;
        return false;
      case QEvent::Paint: {
        if (!control_->hasFocus()) return false;
        // The control paints itself first; the frame goes over it.
        painting_ = true;
        QCoreApplication::sendEvent(control_, event);
        painting_ = false;
        // Gold with navy inside it, so that it shows on the gold glyphs as
        // on the navy bars.
        QPainter painter(control_);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(SkinGold(), 1));
        painter.drawRect(control_->rect().adjusted(0, 0, -1, -1));
        painter.setPen(QPen(SkinNavy(), 1));
        painter.drawRect(control_->rect().adjusted(1, 1, -2, -2));
        return true;
      }
      default:
        return false;
    }
  }

 private:
  static bool IsPressKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held != Qt::NoModifier) return false;
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space;
  }

  QWidget* control_;  // the behaviour is its child
  std::function<void()> press_;
  int keyDown_ = 0;
  bool painting_ = false;
};

// What a screen reader hears of a control made a button.
class ButtonAccessible : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(QWidget* control) : QAccessibleWidget(control, QAccessible::Button) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Description) {
      // A hint that only names the control is not said twice.
      const QString description = QAccessibleWidget::text(kind);
      return description == text(QAccessible::Name) ? QString() : description;
    }
    if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
    const QWidget* control = widget();
    if (!control->accessibleName().isEmpty()) return control->accessibleName();
    const QString hint = control->accessibleDescription().section(QLatin1Char('\n'), 0, 0);
    if (!hint.isEmpty()) return WithoutEllipsis(hint);
    if (const auto* label = qobject_cast<const QLabel*>(control))
      return WithoutEllipsis(label->text());
    return {};
  }

  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action != pressAction()) {
      QAccessibleWidget::doAction(action);
      return;
    }
    if (const ButtonBehaviour* behaviour = ButtonBehaviour::Of(widget())) behaviour->Press();
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == pressAction()) return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

 private:
  // "Вытянуть карты ..." says "more follows" to the eye; heard, it is noise.
  static QString WithoutEllipsis(QString text) {
    while (!text.isEmpty() && (text.back() == QLatin1Char('.') || text.back() == QChar(0x2026) ||
                               text.back().isSpace())) {
      text.chop(1);
    }
    return text;
  }
};

// A copy of what another control says, kept from a screen reader.
class EchoAccessible : public QAccessibleWidget {
 public:
  explicit EchoAccessible(QWidget* echo) : QAccessibleWidget(echo, QAccessible::StaticText) {}
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = true;
    return state;
  }
};

constexpr char kButtonProperty[] = "vaticorAccessibleButton";
constexpr char kWindowProperty[] = "vaticorAccessibleWindow";
constexpr char kEchoProperty[] = "vaticorAccessibleEcho";

QAccessibleInterface* SkinFactory(const QString& /*className*/, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (object->property(kButtonProperty).toBool()) return new ButtonAccessible(widget);
  if (object->property(kWindowProperty).toBool()) {
    return new QAccessibleWidget(widget, QAccessible::Window);
  }
  if (object->property(kEchoProperty).toBool()) return new EchoAccessible(widget);
  return nullptr;
}

// An interface Qt made of `widget` before it was marked (its hint or title
// set first, with a screen reader listening) is kept by Qt: it goes, and
// the right one is made when next asked for.
void ForgetInterface(QWidget* widget) {
  if (QAccessibleInterface* before = QAccessible::queryAccessibleInterface(widget)) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(before));
  }
}

// Qt asks the factory for every interface it makes from then on.
void InstallFactoryOnce() {
  static const bool installed = [] {
    QAccessible::installFactory(SkinFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace

void MakeAccessibleWindow(QWidget* window) {
  InstallFactoryOnce();
  window->setProperty(kWindowProperty, true);
  ForgetInterface(window);
}

void HideEchoFromScreenReaders(QWidget* echo) {
  InstallFactoryOnce();
  echo->setProperty(kEchoProperty, true);
  ForgetInterface(echo);
}

void MakeAccessibleButton(QWidget* control, std::function<void()> press) {
  if (IsAccessibleButton(control)) return;
  InstallFactoryOnce();
  control->setProperty(kButtonProperty, true);
  ForgetInterface(control);
  control->setFocusPolicy(Qt::TabFocus);
  new ButtonBehaviour(control, std::move(press));
}

bool IsAccessibleButton(const QWidget* control) {
  return control->property(kButtonProperty).toBool();
}

QString SpokenCardName(const ReadingWords& words, const std::optional<std::string>& card,
                       bool reversed) {
  if (!card) return QString::fromStdString(words.noCard);
  return QString::fromStdString(*card + ", " + (reversed ? words.reversed : words.upright));
}

void SpeakCard(QWidget* picture, const QString& name, const QString& meaning) {
  // Qt tells a screen reader of each change itself.
  if (picture->accessibleName() != name) picture->setAccessibleName(name);
  if (picture->accessibleDescription() != meaning) picture->setAccessibleDescription(meaning);
}

}  // namespace vaticor
