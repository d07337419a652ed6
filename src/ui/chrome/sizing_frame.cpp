#include "ui/chrome/sizing_frame.h"

#include <QWidget>
#include <algorithm>

#include "core/chrome_geometry.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {

SizingFrame SizingFrame::Make(QWidget* window, const Names& names) {
  SizingFrame frame;
  frame.top = MakeSkinImage(window, names.top, ":/skin/edge_h.png", kTopOrLeftEdge);
  frame.bottom = MakeSkinImage(window, names.bottom, ":/skin/edge_h.png", kBottomOrRightEdge);
  frame.left = MakeSkinImage(window, names.left, ":/skin/edge_v.png", kTopOrLeftEdge);
  frame.right = MakeSkinImage(window, names.right, ":/skin/edge_v.png", kBottomOrRightEdge);
  frame.bottomBar = MakeSkinImage(window, names.bottomBar, ":/skin/bottombar.png");
  return frame;
}

SizingFrame SizingFrame::MakeEdges(QWidget* window, const EdgeNames& names) {
  SizingFrame frame;
  frame.left = MakeSkinImage(window, names.left, ":/skin/edge_v.png", kBottomOrRightEdge);
  frame.right = MakeSkinImage(window, names.right, ":/skin/edge_v.png", kBottomOrRightEdge);
  frame.bottom = MakeSkinImage(window, names.bottom, ":/skin/edge_h.png", kBottomOrRightEdge);
  return frame;
}

void SizingFrame::AttachEdgesTo(SkinChrome& chrome) const {
  chrome.AddHorizontalEdge(left, left->tag());
  chrome.AddHorizontalEdge(right, right->tag());
  chrome.AddVerticalEdge(bottom, bottom->tag());
}

void SizingFrame::AttachTo(SkinChrome& chrome, const CaptionPair& caption) const {
  chrome.AddVerticalEdge(top, kTopOrLeftEdge);
  chrome.AddVerticalEdge(bottom, kBottomOrRightEdge);
  chrome.AddHorizontalEdge(left, kTopOrLeftEdge);
  chrome.AddHorizontalEdge(right, kBottomOrRightEdge);
  chrome.SetCaption(caption.label2, caption.label1, bottomBar);
}

void SizingFrame::Place(int width, int height, int bar, int edge, int side) const {
  const int inner = std::max(0, height - 2 * bar - 2 * edge);
  top->setGeometry(0, bar, width, edge);
  left->setGeometry(0, bar + edge, side, inner);
  right->setGeometry(width - side, bar + edge, side, inner);
  bottom->setGeometry(0, height - bar - edge, width, edge);
  bottomBar->setGeometry(0, height - bar, width, bar);
}

void SizingFrame::PlaceEdges(int width, int height, int top, int edge) const {
  const int side = std::max(0, height - top - edge);
  left->setGeometry(0, top, edge, side);
  right->setGeometry(width - edge, top, edge, side);
  bottom->setGeometry(0, height - edge, width, edge);
}

void SizingFrame::ShowEdges(bool shown) const {
  for (TSkinImage* edge : {top, bottom, left, right}) {
    if (edge) edge->setVisible(shown);
  }
}

}  // namespace vaticor
