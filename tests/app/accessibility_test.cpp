#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "program_fixture.h"
#include "support/qt/keys.h"
#include "support/temp_dir.h"
#include "ui/chrome/card_image.h"
#include "ui/main/vaticor_form.h"

namespace vaticor {
namespace {

using testing::ProgramTest;

// What a screen reader is told of a control.
std::string Spoken(QObject* object, QAccessible::Text kind = QAccessible::Name) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
  return face ? face->text(kind).toStdString() : std::string();
}

// A control the user acts on: one of the roles that act, or one that
// offers an action besides taking the focus.
bool Actionable(QAccessibleInterface* face) {
  switch (face->role()) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::MenuItem:
    case QAccessible::ComboBox:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::Link:
      return true;
    default:
      break;
  }
  if (QAccessibleActionInterface* actions = face->actionInterface()) {
    for (const QString& action : actions->actionNames()) {
      if (action != QAccessibleActionInterface::setFocusAction()) return true;
    }
  }
  return false;
}

// Every control on show in the tree under `face` that acts, by the path of
// layout names that leads to it, and what it is named.
struct Control {
  std::string path;
  QString name;
};
void FindActionable(QAccessibleInterface* face, const std::string& path,
                    std::vector<Control>& found) {
  for (int i = 0; i < face->childCount(); ++i) {
    QAccessibleInterface* child = face->child(i);
    if (!child || !child->isValid() || child->state().invisible) continue;
    QObject* object = child->object();
    const std::string step =
        object && !object->objectName().isEmpty()
            ? object->objectName().toStdString()
            : std::to_string(static_cast<int>(child->role())) + "#" + std::to_string(i);
    if (Actionable(child)) found.push_back({path + "/" + step, child->text(QAccessible::Name)});
    FindActionable(child, path + "/" + step, found);
  }
}

bool HasCyrillic(const QString& text) {
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; });
}

// The whole program on show: every window, a drawn reading in the main
// window, the card windows of a spread with positions' meanings, the
// journal, the gallery and the dialog of a reading laid by hand; a screen
// reader must find a name on everything that acts, in either language.
class AccessibilityTest : public ProgramTest {
 protected:
  void SetUp() override {
    MakeDeck("a", 22);
    const std::string english = testing::ReadAll(VATICOR_SHIPPED_LANGUAGES_DIR "/0x0409.ini");
    dir.Write("Multi Language Support/0x0409.ini", english);
    spread = dir.Write("reading.spread",
                       "[Position00]\r\nValue=3\r\nDescription=Прошлое\r\n"
                       "[Position01]\r\nValue=-4\r\nDescription=Будущее\r\n");
    dir.Write("Quorlin.ini",
              "[Vaticor Settings]\r\nUpSideDownCards.Enabled=1\r\nThreeCardsMode.Enabled=1\r\n");
  }

  static std::vector<QWidget*> ProgramWindows() {
    std::vector<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName().endsWith("Form")) windows.push_back(window);
    }
    return windows;
  }

  // Every window shown and walked, its menus too: the controls that act.
  static std::vector<Control> ActionableControls() {
    std::vector<Control> found;
    for (QWidget* window : ProgramWindows()) {
      window->show();
      const std::string name = window->objectName().toStdString();
      FindActionable(QAccessible::queryAccessibleInterface(window), name, found);
      // A menu is heard when it opens; its items as the menu offers them.
      for (QMenu* menu : window->findChildren<QMenu*>()) {
        QAccessibleInterface* items = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < items->childCount(); ++i) {
          QAccessibleInterface* item = items->child(i);
          auto* action = qobject_cast<QAction*>(item->object());
          if (!action || action->isSeparator() || !action->isVisible()) continue;
          found.push_back({name + "/" + menu->objectName().toStdString() + "/" +
                               action->objectName().toStdString(),
                           item->text(QAccessible::Name)});
        }
      }
    }
    return found;
  }
  static std::vector<std::string> Unnamed() {
    std::vector<std::string> unnamed;
    for (const Control& control : ActionableControls()) {
      if (control.name.trimmed().isEmpty()) unnamed.push_back(control.path);
    }
    return unnamed;
  }
  // Named in Russian still, after a switch to English (the cards' names
  // are the deck's, "Card N", and the log's lines are numbers; the language
  // menu names Russian, "N30", in Russian).
  static std::vector<std::string> NamedInRussian() {
    std::vector<std::string> russian;
    for (const Control& control : ActionableControls()) {
      if (HasCyrillic(control.name) && !control.path.ends_with("/N30")) {
        russian.push_back(control.path);
      }
    }
    return russian;
  }

  // What each card window's picture is heard as: its name, then its
  // description; in no particular order.
  static std::vector<std::string> CardWindowsSpoken() {
    std::vector<std::string> spoken;
    for (QWidget* window : ProgramWindows()) {
      if (window->objectName() != "CardForm") continue;
      auto* image = window->findChild<TCardImage*>("CardImage");
      spoken.push_back(Spoken(image) + " / " + Spoken(image, QAccessible::Description));
    }
    std::sort(spoken.begin(), spoken.end());
    return spoken;
  }

  void OpenEverything(Program& program) {
    program.CreateWindows();
    program.VaticorForm()->findChild<QAction*>("DrawCards")->trigger();
    ASSERT_FALSE(program.HandleCommandLine({spread}));
    program.SpreadsForm()->findChild<QAction*>("AddDeckGroup")->trigger();
    program.ShowJournal();
    program.ShowGallery();
    program.EnterReading({});
  }

  std::string spread;
};

TEST_F(AccessibilityTest, EverythingThatActsIsNamedInRussianAndInEnglish) {
  Program program(dir.Path("vaticor"), system);
  OpenEverything(program);
  QWidget* main = program.VaticorForm();

  EXPECT_EQ(Unnamed(), std::vector<std::string>{}) << "in Russian";
  EXPECT_EQ(Spoken(main->findChild<QWidget*>("Label2")), "Вытянуть карты");
  EXPECT_EQ(Spoken(main->findChild<QWidget*>("ButtonCloseImage")), "Выход");
  EXPECT_EQ(Spoken(main->findChild<QWidget*>("Image7")), "Окно раскладов");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(main->findChild<QWidget*>("Image7"))->role(),
            QAccessible::Button);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(main)->role(), QAccessible::Window);

  // The cards drawn: each named after its card and turn.
  auto* drawn = main->findChild<TCardImage*>("CardImage01");
  const std::string card = program.TaroDecks().GetCardName(std::abs(drawn->Number()));
  const bool reversed = drawn->Number() < 0;
  EXPECT_EQ(Spoken(drawn), card + (reversed ? ", перевёрнута" : ", прямая"));
  // The spread's: card, turn, and the position's meaning.
  EXPECT_EQ(CardWindowsSpoken(), (std::vector<std::string>{"Card 3, прямая / 1. Прошлое",
                                                           "Card 4, перевёрнута / 2. Будущее"}));

  program.ChooseLanguage(1);  // English, from the language file that ships
  EXPECT_EQ(Unnamed(), std::vector<std::string>{}) << "in English";
  EXPECT_EQ(NamedInRussian(), std::vector<std::string>{});
  EXPECT_EQ(Spoken(main->findChild<QWidget*>("Label2")), "Draw cards");
  EXPECT_EQ(Spoken(main->findChild<QWidget*>("ButtonCloseImage")), "Exit");
  EXPECT_EQ(Spoken(main->findChild<QWidget*>("Image7")), "Spreads window");
  EXPECT_EQ(Spoken(drawn), card + (reversed ? ", reversed" : ", upright"));
  EXPECT_EQ(CardWindowsSpoken(), (std::vector<std::string>{"Card 3, upright / 1. Прошлое",
                                                           "Card 4, reversed / 2. Будущее"}));
}

// The picture buttons are reached by Tab and pressed by Space or Enter as
// by a click; a screen reader presses them too.
TEST_F(AccessibilityTest, APictureButtonIsPressedFromTheKeyboardAndByAScreenReader) {
  Program program(dir.Path("vaticor"), system);
  program.CreateWindows();
  QWidget* main = program.VaticorForm();
  main->show();
  auto* spreads = main->findChild<QWidget*>("Image7");
  EXPECT_TRUE(spreads->focusPolicy() & Qt::TabFocus);

  testing::PressKey(spreads, Qt::Key_Space, Qt::NoModifier);
  testing::ReleaseKey(spreads, Qt::Key_Space);
  EXPECT_TRUE(program.SpreadsForm()->isVisible());

  program.SpreadsForm()->hide();
  main->show();
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(spreads);
  ASSERT_NE(face->actionInterface(), nullptr);
  face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(program.SpreadsForm()->isVisible());
}

}  // namespace
}  // namespace vaticor
