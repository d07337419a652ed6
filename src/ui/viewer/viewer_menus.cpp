#include "ui/viewer/viewer_menus.h"

#include <QAction>
#include <QMenu>

#include "library/taro_descriptions.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/menu_captions.h"

namespace vaticor {

namespace {

// The text-size items in their order: size index, built-in caption and the
// interface text that replaces it.
struct TextSizeChoice {
  int sizeIndex;
  const char* caption;
  int languageId;
};
constexpr TextSizeChoice kTextSizeChoices[] = {
    {-1, "По умолчанию", 1032}, {0, "Самый маленький", 1033}, {1, "Маленький", 1034},
    {2, "Средний", 1035},       {3, "Крупный", 1036},         {4, "Самый крупный", 1037},
};

void MarkOne(const std::vector<QAction*>& items, int slot) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i]->setChecked(static_cast<int>(i) == slot);
  }
}

}  // namespace

ViewerMenus::ViewerMenus(QWidget* window, Commands commands)
    : window_(window),
      commands_(std::move(commands)),
      descriptions_(new QMenu(window)),
      textSizes_(new QMenu(window)) {
  descriptions_->setObjectName("PopupMenu1");
  textSizes_->setObjectName("PopupMenu2");
  for (const TextSizeChoice& choice : kTextSizeChoices) {
    if (choice.sizeIndex == 0) textSizes_->addSeparator()->setObjectName("N1");
    QAction* item = textSizes_->addAction(QString::fromUtf8(choice.caption));
    item->setObjectName(QString("MenuItem%1").arg(choice.sizeIndex + 2));
    item->setCheckable(true);
    const int sizeIndex = choice.sizeIndex;
    ConnectCommand(item, &QAction::triggered, window_,
                   [this, sizeIndex] { commands_.chooseTextSize(sizeIndex); });
    textSizeItems_.push_back(item);
  }
  // The design marks the default size.
  MarkTextSize(-1);
}

void ViewerMenus::FillDescriptionMenu(const TTaroDescriptions& sets) {
  for (QAction* item : descriptionItems_) {
    descriptions_->removeAction(item);
    item->deleteLater();
  }
  descriptionItems_.clear();
  for (int i = 0; i < sets.Count && i < static_cast<int>(sets.DisplayNames.size()); ++i) {
    QAction* item = AddFileItem(
        descriptions_, QString::fromStdString(sets.DisplayNames[static_cast<std::size_t>(i)]));
    item->setCheckable(true);
    ConnectCommand(item, &QAction::triggered, window_,
                   [this, i] { commands_.chooseDescription(i); });
    descriptionItems_.push_back(item);
  }
}

void ViewerMenus::MarkDescription(int position) const { MarkOne(descriptionItems_, position); }

void ViewerMenus::MarkTextSize(int sizeIndex) const { MarkOne(textSizeItems_, sizeIndex + 1); }

void ViewerMenus::ApplyLanguage(const TLanguageTable& languages) const {
  for (std::size_t i = 0; i < textSizeItems_.size(); ++i) {
    const TextSizeChoice& choice = kTextSizeChoices[i];
    textSizeItems_[i]->setText(InterfaceText(languages, choice.languageId, choice.caption));
  }
}

}  // namespace vaticor
