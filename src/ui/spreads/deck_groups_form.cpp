#include "ui/spreads/deck_groups_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>

#include "core/spread_geometry.h"
#include "platform/desktop_shell.h"
#include "platform/virtual_keys.h"
#include "ui/chrome/command_set.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/press_effect.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"
#include "ui/chrome/title_strip.h"
#include "ui/chrome/window_showing.h"

namespace vaticor {
namespace {

constexpr int kIconsTop = 20;
// The arrow keys move the current group by this many pixels.
constexpr int kGroupStep = 16;

}  // namespace

TDeckGroupsForm::TDeckGroupsForm(ProgramState& state, DeckGroupsTableLink& spread, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), state_(state), spread_(spread) {
  setObjectName("DeckGroupsForm");
  setWindowTitle(QStringLiteral("Vaticor"));
  setAttribute(Qt::WA_TranslucentBackground);
  UseSkinFont(this);
  setFocusPolicy(Qt::StrongFocus);
  SetTaskbarButtonVisible(this, false);
  CreateCommands();
  CreateControls();
  TINIData& ini = state_.INIData;
  PlaceWhollyOnScreen(this, ini.DeckGroupsFormLeft, ini.DeckGroupsFormTop, state_.Screen.Width(),
                      ini.TaskBarTop());
}

TDeckGroupsForm::~TDeckGroupsForm() = default;

void TDeckGroupsForm::CreateCommands() {
  commands_ = new CommandSet(this);
  CommandSet& c = *commands_;
  // "Показать групу": the current group's cards to the front.
  c.Add("N1", [this] { spread_.RaiseGroup(CurrentGroup()); });
  // "Переместить групу": a plain drag of one of its cards moves the group.
  c.Add("N2", [this] { moveMode_ = true; });
  c.Add("N3", [this] { spread_.ClearSpread(); });  // "Закрыть групу"
  c.Add("HideGroups", [this] { HideGroups(); });
  c.Add("CloseGroups", [this] { CloseGroups(); });
  struct Move {
    const char* name;
    ArrowKey arrow;
  };
  static constexpr Move kMoves[] = {{"MoveGroupLeft", ArrowKey::Left},
                                    {"MoveGroupRight", ArrowKey::Right},
                                    {"MoveGroupUp", ArrowKey::Up},
                                    {"MoveGroupDown", ArrowKey::Down}};
  for (const Move& move : kMoves) {
    c.Add(move.name, [this, arrow = move.arrow] {
      const ArrowMove by = ArrowOffset(arrow, kGroupStep);
      spread_.MoveGroup(CurrentGroup(), by.dx, by.dy);
    });
  }
  c.BindKeys(this, {{vk::Left, "MoveGroupLeft"},
                    {vk::Right, "MoveGroupRight"},
                    {vk::Up, "MoveGroupUp"},
                    {vk::Down, "MoveGroupDown"}});
}

void TDeckGroupsForm::CreateControls() {
  setFixedSize(kWidth, kHeight);
  TitleStrip::Look look;
  look.icon = ":/skin/window_icon_alpha.png";
  look.minimiseHeight = 8;
  look.underline = true;
  strip_ = TitleStrip::Make(this, kWidth, look);
  Image2 = MakeSkinImage(this, "Image2", ":/skin/group_selected_alpha.png");
  Image2->setGeometry(0, kIconsTop, kIcon, kIcon);
  Image2->hide();
  Image3 = MakeSkinImage(this, "Image3", ":/skin/group_unselected_alpha.png");
  Image3->setGeometry(0, kIconsTop, kIcon, kIcon);
  Image3->hide();

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  // Captioned with the language (ApplyLanguage).
  for (const char* entry : {"N1", "N2", "N3"}) PopupMenu1->addAction((*commands_)[entry]);
  ApplyLanguage();

  connect(strip_.minimise, &TSkinImage::clicked, (*commands_)["HideGroups"], &QAction::trigger);
  connect(strip_.close, &TSkinImage::clicked, (*commands_)["CloseGroups"], &QAction::trigger);

  SkinChrome::Hooks hooks;
  hooks.moved =
      StorePlaceOnMove(state_.INIData.DeckGroupsFormLeft, state_.INIData.DeckGroupsFormTop);
  chrome_ = std::make_unique<SkinChrome>(this, std::move(hooks));
  strip_.AttachTo(*chrome_, /*buttonsFlushRight=*/false);
}

TSkinImage* TDeckGroupsForm::GroupImage(int group) const {
  if (group < 0 || group >= GroupCount()) return nullptr;
  return GroupImages[static_cast<std::size_t>(group)];
}

void TDeckGroupsForm::AddGroup() {
  if (!spread_.Table().AddGroup()) return;
  const int group = GroupCount() - 1;
  auto* icon = new TSkinImage(this, QString());
  icon->setObjectName(QStringLiteral("GroupImage%1").arg(group));
  icon->setPicture(Image3->picture());
  icon->setGeometry(kIcon * group, kIconsTop, kIcon, kIcon);
  icon->setTag(group);
  icon->setContextMenuPolicy(Qt::CustomContextMenu);
  AddPressEffect(icon);
  ConnectCommand(icon, &TSkinImage::clicked, this, [this, icon] { SelectGroup(icon->tag()); });
  ConnectCommand(icon, &QWidget::customContextMenuRequested, this,
                 [this, icon](const QPoint& at) { PopupMenu1->popup(icon->mapToGlobal(at)); });
  icon->show();
  GroupImages.push_back(icon);
  NameGroupImages();
}

void TDeckGroupsForm::NameGroupImages() {
  const QString name = CardsText(state_.Languages, "DeckGroup", "Группа %1");
  for (std::size_t group = 0; group < GroupImages.size(); ++group) {
    SetHint(GroupImages[group], WithSubject(name, QString::number(group + 1)));
  }
}

void TDeckGroupsForm::SelectGroup(int group) {
  const int before = CurrentGroup();
  if (!spread_.Table().SelectGroup(group)) return;
  if (TSkinImage* current = GroupImage(before)) current->setPicture(Image3->picture());
  GroupImage(group)->setPicture(Image2->picture());
}

void TDeckGroupsForm::OpenGroups() {
  ShowNormal(this);
  raise();
  state_.INIData.DeckGroupsOpen = true;
}

void TDeckGroupsForm::CloseGroups() {
  hide();
  state_.INIData.DeckGroupsOpen = false;
}

void TDeckGroupsForm::closeEvent(QCloseEvent* event) {
  // Only hidden: the groups survive.
  event->ignore();
  CloseGroups();
}

void TDeckGroupsForm::HideGroups() {
  // Deck groups stay open: the spread brings this window back with it.
  HideOrMinimise(
      spread_.TrayIconActive(), [this] { hide(); }, [this] { spread_.MinimiseToTaskbar(); });
}

void TDeckGroupsForm::ApplyLanguage() {
  static constexpr NamedText kTexts[] = {
      {"N1", "GroupShow", "Показать групу"},        {"N2", "GroupMove", "Переместить групу"},
      {"N3", "GroupClose", "Закрыть групу"},        {"ButtonHideImage", nullptr, "Свернуть", 1002},
      {"ButtonCloseImage", nullptr, "Выход", 1003},
  };
  ApplyNamedTexts(this, state_.Languages, kTexts);
  NameGroupImages();
}

}  // namespace vaticor
