#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "languages/language_table.h"

class QAction;
class QMenu;
class QWidget;

namespace vaticor {

class TTaroDescriptions;

// The viewer's two toolbar menus, by the layout's names: the description
// sets ("PopupMenu1", one item per set) and the text sizes ("PopupMenu2":
// "По умолчанию", a separator, then the five sizes "MenuItem3" to
// "MenuItem7"). Each marks one item, the one the window says is current.
class ViewerMenus {
 public:
  // What a click on an item does: a set by its position, a size by its
  // index (-1: the sizes stored in the document, 0 to 4: the fixed sizes).
  struct Commands {
    std::function<void(int)> chooseDescription;
    std::function<void(int)> chooseTextSize;
  };

  // Makes both menus in `window` (their commands run as its commands); the
  // description menu is empty until FillDescriptionMenu.
  ViewerMenus(QWidget* window, Commands commands);

  QMenu* Descriptions() const { return descriptions_; }
  QMenu* TextSizes() const { return textSizes_; }

  // One item per set of `sets`, in their order, none marked; the items
  // there were go.
  void FillDescriptionMenu(const TTaroDescriptions& sets);
  // Marks the item at `position` (or size index `sizeIndex`) alone; one
  // outside the menu marks none.
  void MarkDescription(int position) const;
  void MarkTextSize(int sizeIndex) const;
  // The sizes' captions in the interface language.
  void ApplyLanguage(const TLanguageTable& languages) const;

 private:
  QWidget* window_;
  Commands commands_;
  QMenu* descriptions_;
  QMenu* textSizes_;
  std::vector<QAction*> descriptionItems_;
  std::vector<QAction*> textSizeItems_;  // by size index + 1
};

}  // namespace vaticor
