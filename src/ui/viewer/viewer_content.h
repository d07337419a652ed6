#pragma once

class QFrame;
class QListWidget;
class QSplitter;
class QSplitterHandle;
class QTextEdit;
class QWidget;

namespace vaticor {

class TCardImage;

// The viewer's content area, by the layout's names: "Panel1" holds the
// "ContentSplitter" with the card-selection panel "Panel2" on the left and
// the text "RichEdit1" on the right ("Splitter1" between them); the panel
// holds the "PanelSplitter" with the card list "ListBox1" above the picture
// frame "Panel3" ("Splitter2" between them) and its picture "Image2". The
// window places "Panel1" and wires the parts.
struct ViewerContent {
  // The panel's width limits, in pixels.
  static constexpr int kListMinWidth = 121;
  static constexpr int kListMaxWidth = 210;
  // The picture frame's height at the first opening.
  static constexpr int kPictureFrameHeight = 194;

  // Makes the parts in `window`: the text sky blue with black 10-point
  // text, read-only, the list at least five rows high, the picture frame
  // at least 20 pixels high.
  static ViewerContent Make(QWidget* window);

  QWidget* Panel1 = nullptr;
  QSplitter* ContentSplitter = nullptr;
  QFrame* Panel2 = nullptr;
  QSplitter* PanelSplitter = nullptr;
  QListWidget* ListBox1 = nullptr;
  QFrame* Panel3 = nullptr;
  TCardImage* Image2 = nullptr;
  QSplitterHandle* Splitter1 = nullptr;
  QTextEdit* RichEdit1 = nullptr;
};

}  // namespace vaticor
