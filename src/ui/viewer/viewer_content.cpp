#include "ui/viewer/viewer_content.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSplitter>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/chrome/card_image.h"
#include "ui/chrome/skin_style.h"

namespace vaticor {

namespace {

constexpr int kPictureWidth = 116;
constexpr int kPictureHeight = 189;

QSplitter* MakeSplitter(Qt::Orientation orientation, QWidget* parent, const char* name) {
  auto* splitter = new QSplitter(orientation, parent);
  splitter->setObjectName(name);
  splitter->setHandleWidth(2);
  splitter->setChildrenCollapsible(false);
  return splitter;
}

}  // namespace

ViewerContent ViewerContent::Make(QWidget* window) {
  ViewerContent c;
  c.Panel1 = new QWidget(window);
  c.Panel1->setObjectName("Panel1");
  auto* content = new QHBoxLayout(c.Panel1);
  content->setContentsMargins(0, 0, 0, 0);
  c.ContentSplitter = MakeSplitter(Qt::Horizontal, c.Panel1, "ContentSplitter");
  content->addWidget(c.ContentSplitter);

  c.Panel2 = new QFrame(c.ContentSplitter);
  c.Panel2->setObjectName("Panel2");
  c.Panel2->setMinimumWidth(kListMinWidth);
  c.Panel2->setMaximumWidth(kListMaxWidth);
  auto* panel = new QVBoxLayout(c.Panel2);
  panel->setContentsMargins(0, 0, 0, 0);
  c.PanelSplitter = MakeSplitter(Qt::Vertical, c.Panel2, "PanelSplitter");
  panel->addWidget(c.PanelSplitter);

  QListWidget* list = c.ListBox1 = new QListWidget(c.PanelSplitter);
  list->setObjectName("ListBox1");
  list->viewport()->setCursor(Qt::PointingHandCursor);
  list->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Five rows at least: one row and a cut card told the user little.
  list->setMinimumHeight(5 * (list->fontMetrics().lineSpacing() + 2) + 2 * list->frameWidth());
  UseSkinListColours(list, SkinListText(), SkinListBase());

  c.Panel3 = new QFrame(c.PanelSplitter);
  c.Panel3->setObjectName("Panel3");
  c.Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  c.Panel3->setMinimumHeight(20);
  c.Image2 = new TCardImage(c.Panel3);
  c.Image2->setObjectName("Image2");
  c.Image2->setGeometry(0, (kPictureFrameHeight - kPictureHeight) / 2, kPictureWidth,
                        kPictureHeight);
  c.Image2->setCursor(Qt::ArrowCursor);
  c.PanelSplitter->addWidget(list);
  c.PanelSplitter->addWidget(c.Panel3);
  c.PanelSplitter->setStretchFactor(0, 1);
  c.PanelSplitter->setStretchFactor(1, 0);
  c.PanelSplitter->handle(1)->setObjectName("Splitter2");

  QTextEdit* text = c.RichEdit1 = new QTextEdit(c.ContentSplitter);
  text->setObjectName("RichEdit1");
  text->setReadOnly(true);
  text->setUndoRedoEnabled(false);
  text->setAcceptRichText(false);
  // Text to read and copy: no caret.
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QPalette textPalette = text->palette();
  textPalette.setColor(QPalette::Base, SkinSkyBlue());
  textPalette.setColor(QPalette::Text, Qt::black);
  text->setPalette(textPalette);
  QFont textFont = text->font();
  textFont.setPointSize(10);
  text->setFont(textFont);  // the document's default font
  text->document()->setDocumentMargin(6);

  c.ContentSplitter->addWidget(c.Panel2);
  c.ContentSplitter->addWidget(text);
  c.ContentSplitter->setStretchFactor(0, 0);
  c.ContentSplitter->setStretchFactor(1, 1);
  c.Splitter1 = c.ContentSplitter->handle(1);
  c.Splitter1->setObjectName("Splitter1");
  return c;
}

}  // namespace vaticor
