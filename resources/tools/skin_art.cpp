#include "skin_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <numbers>

namespace vaticor::skin {
namespace {

// ---------------------------------------------------------------------------
// Small drawing helpers. Coordinates are 1x units; `s` is the scale.

qreal DevicePixel(qreal s) { return 1.0 / s; }

void Band(QPainter& p, qreal y, qreal h, qreal w, const QColor& c) {
  p.fillRect(QRectF(0, y, w, h), c);
}

void Column(QPainter& p, qreal x, qreal w, qreal h, const QColor& c) {
  p.fillRect(QRectF(x, 0, w, h), c);
}

void VerticalGradient(QPainter& p, const QRectF& r,
                      std::initializer_list<std::pair<qreal, QColor>> stops) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  for (const auto& [at, colour] : stops) g.setColorAt(at, colour);
  p.fillRect(r, g);
}

QColor Mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

QPainterPath Star(QPointF centre, qreal outer, qreal inner, int points, qreal turn_degrees = -90) {
  QPainterPath path;
  for (int i = 0; i < points * 2; ++i) {
    const qreal r = i % 2 == 0 ? outer : inner;
    const qreal a = (turn_degrees + 180.0 * i / points) * std::numbers::pi / 180.0;
    const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    if (i == 0)
      path.moveTo(pt);
    else
      path.lineTo(pt);
  }
  path.closeSubpath();
  return path;
}

// Compass star: four long points and four short ones between them.
QPainterPath CompassStar(QPointF c, qreal long_r, qreal short_r, qreal waist) {
  QPainterPath path;
  for (int i = 0; i < 8; ++i) {
    const qreal r = i % 2 == 0 ? long_r : short_r;
    const qreal a = (-90.0 + 45.0 * i) * std::numbers::pi / 180.0;
    const qreal b = a + 22.5 * std::numbers::pi / 180.0;
    const QPointF tip(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    const QPointF notch(c.x() + waist * std::cos(b), c.y() + waist * std::sin(b));
    if (i == 0)
      path.moveTo(tip);
    else
      path.lineTo(tip);
    path.lineTo(notch);
  }
  path.closeSubpath();
  return path;
}

QPainterPath StrokeOf(const QPainterPath& centre_line, qreal width,
                      Qt::PenCapStyle cap = Qt::RoundCap, Qt::PenJoinStyle join = Qt::RoundJoin) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(cap);
  stroker.setJoinStyle(join);
  return stroker.createStroke(centre_line).simplified();
}

QPainterPath RoundRect(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

QBrush GoldBrush(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0.0, kGoldLight);
  g.setColorAt(0.45, kGold);
  g.setColorAt(1.0, kGoldDark);
  return g;
}

QBrush ParchmentBrush(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0.0, kParchmentLight);
  g.setColorAt(1.0, kParchment);
  return g;
}

QBrush NavyBrush(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0.0, kNavyLight);
  g.setColorAt(1.0, kNavyDeep);
  return g;
}

// Fills `shape` and rings it with a dark outline `outline` wide, laid
// outside the shape so that thin shapes keep their weight.
void Inked(QPainter& p, const QPainterPath& shape, const QBrush& fill, qreal outline,
           const QColor& ink = kNavyDeep) {
  p.save();
  p.setPen(QPen(ink, outline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(ink);
  p.drawPath(shape);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(shape);
  p.restore();
}

qreal InkWidth(qreal s) { return s >= 2 ? 0.75 : 1.0; }

// ---------------------------------------------------------------------------
// Frame textures. Every texture is uniform along the direction it is
// stretched in, so it keeps its look at any window size.

// Colours of the title and bottom bars, top to bottom.
const QColor kBarTop{0x3f, 0x63, 0xa8};
const QColor kBarBottom{0x12, 0x22, 0x50};
const QColor kBarHighlight{0x7a, 0x9c, 0xda};

void TitleBar(QPainter& p, qreal s, qreal w, qreal h) {
  const qreal d = DevicePixel(s);
  Band(p, 0, 1, w, kNavyDeep);
  VerticalGradient(p, QRectF(0, 1, w, h - 4), {{0.0, kBarTop}, {1.0, kBarBottom}});
  Band(p, 1, d, w, kBarHighlight);
  Band(p, h - 3, 1, w, kGold);
  if (s >= 2) Band(p, h - 3, d, w, kGoldLight);
  Band(p, h - 2, 1, w, kGoldDark);
  if (s >= 2) Band(p, h - 2 + d, d, w, kNavy);
  Band(p, h - 1, 1, w, kNavyDeep);
}

void BottomBar(QPainter& p, qreal s, qreal w, qreal h) {
  const qreal d = DevicePixel(s);
  Band(p, 0, 1, w, kNavyDeep);
  Band(p, 1, 1, w, kGoldDark);
  Band(p, 2, 1, w, kGold);
  if (s >= 2) {
    Band(p, 1, d, w, kNavy);
    Band(p, 2, d, w, kGoldLight);
  }
  VerticalGradient(p, QRectF(0, 3, w, h - 4), {{0.0, kBarTop}, {1.0, kBarBottom}});
  Band(p, 3, d, w, kBarHighlight);
  Band(p, h - 1, 1, w, kNavyDeep);
}

// The 4-pixel strips between the bars and the cards.
void EdgeHorizontal(QPainter& p, qreal s, qreal w, qreal) {
  const qreal d = DevicePixel(s);
  Band(p, 0, 1, w, kNavyMid);
  Band(p, 1, 2, w, kSteel);
  Band(p, 3, 1, w, kNavyMid);
  if (s >= 2) {
    Band(p, 1, d, w, kSteelLight);
    Band(p, 3 - d, d, w, Mix(kSteel, kNavyMid, 0.5));
  }
}

// The 2-pixel strips at the sides of the cards.
void EdgeVertical(QPainter& p, qreal s, qreal, qreal h) {
  const qreal d = DevicePixel(s);
  Column(p, 0, 2, h, kSteel);
  if (s >= 2) {
    Column(p, 0, d, h, kNavyMid);
    Column(p, 2 - d, d, h, kNavyMid);
  }
}

// The 2-pixel line under a title bar in the smaller windows.
void LineUnderTitle(QPainter& p, qreal s, qreal w, qreal) {
  const qreal d = DevicePixel(s);
  Band(p, 0, 1, w, kSteel);
  Band(p, 1, 1, w, kNavyMid);
  if (s >= 2) Band(p, 0, d, w, kSteelLight);
}

// Background of the description viewer's tool bar.
void ToolBar(QPainter& p, qreal s, qreal w, qreal h) {
  const qreal d = DevicePixel(s);
  VerticalGradient(p, QRectF(0, 0, w, h),
                   {{0.0, kSkyLight}, {0.55, QColor(0xb9, 0xd6, 0xf5)}, {1.0, kSky}});
  Band(p, 0, d, w, Qt::white);
  Band(p, h - d, d, w, Mix(kSky, kSteel, 0.5));
}

// The one texture that can serve every frame element at once: the title
// bar, the edges and the bottom bar are all this picture stretched. It is a
// rail with a gold thread along each long side and a light crown that falls
// off towards the lower half, so it reads as a bevel when squeezed to a
// 17-pixel bar. Drawn out along a tall side edge the threads become gold caps
// where the side meets the top and bottom edges; nothing else in the picture
// changes along its height, so nothing smears.
void Frame(QPainter& p, qreal, qreal w, qreal h) {
  const qreal gold = h * 0.06;
  VerticalGradient(p, QRectF(0, gold, w, h - 2 * gold),
                   {{0.0, kBarHighlight}, {0.1, kBarTop}, {0.7, kNavyMid}, {1.0, kBarBottom}});
  VerticalGradient(p, QRectF(0, 0, w, gold), {{0.0, kGoldLight}, {0.5, kGold}, {1.0, kGoldDark}});
  VerticalGradient(p, QRectF(0, h - gold, w, gold),
                   {{0.0, kGoldLight}, {0.5, kGold}, {1.0, kGoldDark}});
}

// ---------------------------------------------------------------------------
// Title-bar buttons. They are gold shapes with a dark outline so that they
// read on the navy bar; the lower-left pixel of each stays empty.

void MenuStar(QPainter& p, qreal s) {
  const QPointF c(16, 16);
  const qreal long_r = 15, short_r = 10, waist = 5.6;
  const QPainterPath star = CompassStar(c, long_r, short_r, waist);
  QLinearGradient gold(QPointF(4, 2), QPointF(26, 30));
  gold.setColorAt(0.0, kGoldLight);
  gold.setColorAt(0.5, kGold);
  gold.setColorAt(1.0, QColor(0xb0, 0x86, 0x2e));
  Inked(p, star, gold, s >= 2 ? 1.2 : 1.5);
  // Each point has a lit and a shaded face, which gives the star relief.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 8; ++i) {
    const qreal r = i % 2 == 0 ? long_r : short_r;
    const qreal a = (-90.0 + 45.0 * i) * std::numbers::pi / 180.0;
    const qreal b = a + 22.5 * std::numbers::pi / 180.0;
    QPainterPath face;
    face.moveTo(c);
    face.lineTo(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    face.lineTo(c.x() + waist * std::cos(b), c.y() + waist * std::sin(b));
    face.closeSubpath();
    p.setBrush(WithAlpha(kGoldDark, 110));
    p.drawPath(face);
  }
  p.setBrush(kParchmentLight);
  p.drawEllipse(c, 2.4, 2.4);
}

// Three small cards fanned out from a point below the button.
void SpreadsFan(QPainter& p, qreal s) {
  const qreal ink = InkWidth(s);
  const QPointF pivot(8.5, 16);
  const QRectF card(-3, -13.2, 6, 9.5);
  const qreal angles[] = {-21, 21, 0};
  for (qreal angle : angles) {
    p.save();
    p.translate(pivot);
    p.rotate(angle);
    Inked(p, RoundRect(card, 1.0), ParchmentBrush(card), ink);
    p.setPen(Qt::NoPen);
    if (angle == 0) {
      p.setBrush(GoldBrush(card));
      p.drawPath(Star(card.center() + QPointF(0, 0.2), 2.7, 1.1, 5));
    } else {
      p.setBrush(kNavyLight);
      p.drawRect(card.adjusted(1.2, 1.2, -1.2, -1.2));
    }
    p.restore();
  }
}

void Cross(QPainter& p, qreal s) {
  QPainterPath lines;
  lines.moveTo(4.5, 4.5);
  lines.lineTo(11.5, 11.5);
  lines.moveTo(11.5, 4.5);
  lines.lineTo(4.5, 11.5);
  const QPainterPath shape = StrokeOf(lines, s >= 2 ? 2.6 : 2.4, Qt::SquareCap, Qt::MiterJoin);
  Inked(p, shape, GoldBrush(QRectF(3, 3, 10, 10)), InkWidth(s));
}

void MinimiseBar(QPainter& p, qreal s) {
  const QRectF bar(3, 1.5, 10, 2.5);
  Inked(p, RoundRect(bar, 0.5), GoldBrush(bar.adjusted(0, -0.5, 0, 0.5)), InkWidth(s));
  if (s >= 2) {
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(kGoldLight, 200));
    p.drawRect(QRectF(bar.left() + 0.5, bar.top(), bar.width() - 1, 0.5));
  }
}

// A window outline with a heavy title edge.
QPainterPath WindowGlyph(const QRectF& r, qreal side, qreal head) {
  QPainterPath outer;
  outer.addRect(r);
  QPainterPath inner;
  inner.addRect(r.adjusted(side, head, -side, -side));
  return outer.subtracted(inner);
}

void MaximiseGlyph(QPainter& p, qreal s) {
  const QRectF r(3, 3, 10, 10);
  Inked(p, WindowGlyph(r, s >= 2 ? 1.25 : 1.0, 3.0), GoldBrush(r), InkWidth(s));
}

void RestoreGlyph(QPainter& p, qreal s) {
  const qreal side = s >= 2 ? 1.25 : 1.0;
  const QRectF back(6, 3, 7, 7);
  const QRectF front(3, 6, 7, 7);
  QPainterPath back_shape = WindowGlyph(back, side, 2.0);
  QPainterPath front_solid;
  front_solid.addRect(front.adjusted(-1, -1, 1, 1));
  back_shape = back_shape.subtracted(front_solid);
  Inked(p, back_shape, GoldBrush(back), InkWidth(s));
  Inked(p, WindowGlyph(front, side, 2.0), GoldBrush(front), InkWidth(s));
}

// A small card with a star: the program's mark on the title bars of the
// secondary windows.
void CardMark(QPainter& p, qreal s, const QRectF& card) {
  Inked(p, RoundRect(card, 1.2), ParchmentBrush(card), InkWidth(s));
  const QRectF face = card.adjusted(1.5, 1.5, -1.5, -1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(NavyBrush(face));
  p.drawRect(face);
  p.setBrush(GoldBrush(face));
  p.drawPath(Star(face.center(), face.width() * 0.5, face.width() * 0.2, 5));
}

void WindowIcon(QPainter& p, qreal s) { CardMark(p, s, QRectF(4, 1.5, 9.5, 14)); }

// ---------------------------------------------------------------------------
// Command tiles of the spreads, question and deck-group windows: a navy
// tile with a gold rim and a parchment or gold glyph.

void Tile(QPainter& p, qreal s, const QRectF& r, bool lit = true) {
  const qreal d = DevicePixel(s);
  const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kNavyDeep);
  p.drawPath(RoundRect(body, 5));
  QLinearGradient fill(body.topLeft(), body.bottomLeft());
  fill.setColorAt(0.0, lit ? kSteel : kNavyLight);
  fill.setColorAt(0.5, lit ? kNavyMid : kNavy);
  fill.setColorAt(1.0, kNavy);
  const QRectF inner = body.adjusted(1, 1, -1, -1);
  p.setBrush(fill);
  p.drawPath(RoundRect(inner, 4));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(lit ? kGold : kSilverDark, 1.0));
  p.drawPath(RoundRect(inner.adjusted(0.5, 0.5, -0.5, -0.5), 3.5));
  if (s >= 2) {
    p.setPen(QPen(WithAlpha(lit ? kGoldLight : kSilver, 180), d));
    p.drawPath(RoundRect(inner.adjusted(1.0 + d / 2, 1.0 + d / 2, -1.0 - d / 2, -1.0 - d / 2), 3));
  }
  // Soft sheen over the upper half.
  QLinearGradient sheen(body.topLeft(), QPointF(body.left(), body.center().y()));
  sheen.setColorAt(0.0, QColor(255, 255, 255, 60));
  sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sheen);
  p.drawPath(RoundRect(inner.adjusted(1.5, 1.5, -1.5, -inner.height() / 2), 3));
}

void CardFace(QPainter& p, qreal s, const QRectF& card, bool with_star = true) {
  Inked(p, RoundRect(card, 1.5), ParchmentBrush(card), InkWidth(s));
  if (with_star) {
    p.setPen(Qt::NoPen);
    p.setBrush(GoldBrush(card));
    p.drawPath(Star(card.center(), card.width() * 0.34, card.width() * 0.14, 5));
  }
  p.setPen(QPen(kGoldDark, s >= 2 ? 0.5 : 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(card.adjusted(1.3, 1.3, -1.3, -1.3), 0.7, 0.7);
}

void CardBack(QPainter& p, qreal s, const QRectF& card) {
  QLinearGradient back(card.topLeft(), card.bottomRight());
  back.setColorAt(0.0, kSteelLight);
  back.setColorAt(1.0, kSteel);
  Inked(p, RoundRect(card, 1.5), back, InkWidth(s));
  p.setPen(QPen(kGold, s >= 2 ? 0.6 : 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(card.adjusted(1.4, 1.4, -1.4, -1.4), 0.7, 0.7);
}

QPainterPath ArrowShape(QPointF from, QPointF to, qreal shaft, qreal head_w, qreal head_l) {
  const QLineF line(from, to);
  const qreal len = line.length();
  QPainterPath path;
  path.moveTo(0, -shaft / 2);
  path.lineTo(len - head_l, -shaft / 2);
  path.lineTo(len - head_l, -head_w / 2);
  path.lineTo(len, 0);
  path.lineTo(len - head_l, head_w / 2);
  path.lineTo(len - head_l, shaft / 2);
  path.lineTo(0, shaft / 2);
  path.closeSubpath();
  QTransform t;
  t.translate(from.x(), from.y());
  t.rotate(-line.angle());
  return t.map(path);
}

void Sparkle(QPainter& p, qreal s, QPointF c, qreal r) {
  Inked(p, Star(c, r, r * 0.3, 4, -90), GoldBrush(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)),
        InkWidth(s) * 0.8);
}

// Glyphs, each centred on (16, 16) of a 32 x 32 tile; `dy` shifts them for
// the taller tiles.

void GlyphDraw(QPainter& p, qreal s, qreal dy) {
  CardBack(p, s, QRectF(7.5, 12 + dy, 11, 15));
  CardBack(p, s, QRectF(9.5, 11 + dy, 11, 15));
  p.save();
  p.translate(19, 19 + dy);
  p.rotate(12);
  CardFace(p, s, QRectF(-5.5, -13, 11, 15.5));
  p.restore();
  Sparkle(p, s, QPointF(24.5, 7.5 + dy), 3.5);
}

void GlyphNewSpread(QPainter& p, qreal s, qreal dy) {
  const QRectF card(9, 7.5 + dy, 13, 18);
  Inked(p, RoundRect(card, 1.5), ParchmentBrush(card), InkWidth(s));
  p.setPen(QPen(kGoldDark, s >= 2 ? 0.6 : 0.8, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(card.adjusted(1.8, 1.8, -1.8, -1.8), 0.7, 0.7);
  Sparkle(p, s, QPointF(22.5, 9 + dy), 5);
}

void GlyphDeal(QPainter& p, qreal s, qreal dy) {
  const QRectF card(6.5, 15.5 + dy, 19, 11);  // lying on its long side
  CardFace(p, s, card, false);
  p.setPen(Qt::NoPen);
  p.setBrush(GoldBrush(card));
  p.drawPath(Star(card.center(), 3.6, 1.5, 5, -90));
  Inked(p, ArrowShape(QPointF(16, 4 + dy), QPointF(16, 14 + dy), 3, 8, 4.5),
        GoldBrush(QRectF(11, 4, 10, 10)), InkWidth(s));
}

void GlyphShuffle(QPainter& p, qreal s, qreal dy) {
  // Two crossing paths, each ending in an arrow head at the right.
  auto lane = [&](qreal y0, qreal y1) {
    QPainterPath path;
    path.moveTo(6, y0 + dy);
    path.cubicTo(14, y0 + dy, 15, y1 + dy, 21.5, y1 + dy);
    QPainterPath shape = StrokeOf(path, 2.6, Qt::FlatCap);
    QPainterPath head;
    head.moveTo(20.5, y1 - 4.2 + dy);
    head.lineTo(27, y1 + dy);
    head.lineTo(20.5, y1 + 4.2 + dy);
    head.closeSubpath();
    return shape.united(head);
  };
  Inked(p, lane(22, 10), GoldBrush(QRectF(6, 6, 21, 20)), InkWidth(s));
  Inked(p, lane(10, 22), GoldBrush(QRectF(6, 6, 21, 20)), InkWidth(s));
}

void GlyphAddDeck(QPainter& p, qreal s, qreal dy) {
  CardBack(p, s, QRectF(6, 10 + dy, 12, 16));
  CardBack(p, s, QRectF(8, 8.5 + dy, 12, 16));
  CardBack(p, s, QRectF(10, 7 + dy, 12, 16));
  const QPointF c(22.5, 21.5 + dy);
  p.setPen(Qt::NoPen);
  Inked(
      p,
      [&] {
        QPainterPath disc;
        disc.addEllipse(c, 5.5, 5.5);
        return disc;
      }(),
      GoldBrush(QRectF(c.x() - 5.5, c.y() - 5.5, 11, 11)), InkWidth(s));
  p.setBrush(kNavyDeep);
  p.drawRect(QRectF(c.x() - 3.5, c.y() - 0.9, 7, 1.8));
  p.drawRect(QRectF(c.x() - 0.9, c.y() - 3.5, 1.8, 7));
}

QPainterPath TrayShape(qreal dy) {
  QPainterPath tray;
  tray.moveTo(6, 17 + dy);
  tray.lineTo(6, 26 + dy);
  tray.lineTo(26, 26 + dy);
  tray.lineTo(26, 17 + dy);
  return StrokeOf(tray, 2.6, Qt::SquareCap, Qt::MiterJoin);
}

void GlyphSave(QPainter& p, qreal s, qreal dy) {
  Inked(p, TrayShape(dy), ParchmentBrush(QRectF(6, 17, 20, 9)), InkWidth(s));
  Inked(p, ArrowShape(QPointF(16, 4 + dy), QPointF(16, 22 + dy), 3.5, 9, 5.5),
        GoldBrush(QRectF(11, 4, 10, 18)), InkWidth(s));
}

void GlyphOpen(QPainter& p, qreal s, qreal dy) {
  // Folder: back with a tab, a paper sheet, then the front flap.
  QPainterPath back;
  back.moveTo(5, 9 + dy);
  back.lineTo(12, 9 + dy);
  back.lineTo(14, 11 + dy);
  back.lineTo(25, 11 + dy);
  back.lineTo(25, 25 + dy);
  back.lineTo(5, 25 + dy);
  back.closeSubpath();
  Inked(p, back, GoldBrush(QRectF(5, 9, 20, 16)), InkWidth(s));
  const QRectF sheet(8.5, 8 + dy, 13, 12);
  Inked(p, QPainterPath([&] {
          QPainterPath path;
          path.addRect(sheet);
          return path;
        }()),
        QBrush(kParchmentLight), InkWidth(s) * 0.8);
  p.setPen(QPen(kSilverDark, s >= 2 ? 0.6 : 0.8));
  for (int i = 0; i < 3; ++i)
    p.drawLine(QPointF(10.5, 11 + 2.5 * i + dy), QPointF(19.5, 11 + 2.5 * i + dy));
  QPainterPath front;
  front.moveTo(8, 15 + dy);
  front.lineTo(28, 15 + dy);
  front.lineTo(25, 25 + dy);
  front.lineTo(5, 25 + dy);
  front.closeSubpath();
  Inked(p, front, GoldBrush(QRectF(5, 13, 23, 12)), InkWidth(s));
}

// The main window in miniature with its three cards.
void GlyphMainWindow(QPainter& p, qreal s, qreal dy) {
  const QRectF win(5, 7 + dy, 22, 18);
  Inked(p, QPainterPath([&] {
          QPainterPath path;
          path.addRect(win);
          return path;
        }()),
        QBrush(kSky), InkWidth(s));
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawRect(QRectF(win.left(), win.top(), win.width(), 3.5));
  p.setBrush(kNavyLight);
  p.drawRect(QRectF(win.left(), win.top(), win.width(), 2.8));
  p.setBrush(kNavyLight);
  p.drawRect(QRectF(win.left(), win.bottom() - 2.5, win.width(), 2.5));
  for (int i = 0; i < 3; ++i) {
    const QRectF card(win.left() + 2 + i * 6.5, win.top() + 5, 5, 8);
    p.setBrush(kParchment);
    p.drawRect(card);
    p.setBrush(kNavy);
    p.drawRect(card.adjusted(0.8, 0.8, -0.8, -0.8));
  }
  Sparkle(p, s, QPointF(25, 8 + dy), 4);
}

void GlyphDeckGroup(QPainter& p, qreal s, bool selected) {
  if (selected) {
    QRadialGradient glow(QPointF(16, 16), 13);
    glow.setColorAt(0.0, WithAlpha(kGoldLight, 140));
    glow.setColorAt(1.0, WithAlpha(kGold, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(16, 16), 13, 13);
  }
  const qreal ink = InkWidth(s);
  for (int i = 0; i < 3; ++i) {
    const QRectF card(8 + i * 2.5, 10 - i * 1.5, 11, 15);
    if (selected || i < 2) {
      Inked(p, RoundRect(card, 1.5), NavyBrush(card), ink);
      p.setPen(QPen(selected ? kGold : kSilverDark, s >= 2 ? 0.6 : 0.8));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(card.adjusted(1.4, 1.4, -1.4, -1.4), 0.7, 0.7);
    } else {
      Inked(p, RoundRect(card, 1.5), QBrush(kSilver), ink);
      p.setPen(Qt::NoPen);
      p.setBrush(kSilverDark);
      p.drawPath(Star(card.center(), 3.5, 1.4, 5));
    }
  }
  if (selected) {
    p.setPen(Qt::NoPen);
    p.setBrush(GoldBrush(QRectF(13, 6, 11, 15)));
    p.drawPath(Star(QPointF(18.5, 14.5), 4, 1.6, 5));
  }
}

// ---------------------------------------------------------------------------
// Glyphs of the description viewer's tool-bar buttons (16 x 16), on the
// light tool bar.

void GlyphBook(QPainter& p, qreal s) {
  const qreal ink = InkWidth(s);
  QPainterPath left;
  left.moveTo(8, 4.5);
  left.cubicTo(6, 3, 3.5, 3, 1.5, 3.5);
  left.lineTo(1.5, 12.5);
  left.cubicTo(3.5, 12, 6, 12, 8, 13.5);
  left.closeSubpath();
  QPainterPath right = QTransform(-1, 0, 0, 1, 16, 0).map(left);
  Inked(p, left, QBrush(kParchmentLight), ink, kNavy);
  Inked(p, right, ParchmentBrush(QRectF(8, 3, 7, 10)), ink, kNavy);
  p.setPen(QPen(kSteel, s >= 2 ? 0.5 : 0.7));
  for (int i = 0; i < 3; ++i) {
    p.drawLine(QPointF(3, 6 + 2 * i), QPointF(6.5, 6.5 + 2 * i));
    p.drawLine(QPointF(9.5, 6.5 + 2 * i), QPointF(13, 6 + 2 * i));
  }
}

void GlyphCard(QPainter& p, qreal s) {
  const qreal ink = InkWidth(s);
  const QRectF card(4, 1.5, 8.5, 12.5);
  Inked(p, RoundRect(card, 1), NavyBrush(card), ink, kNavy);
  p.setPen(QPen(kGold, s >= 2 ? 0.5 : 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawRect(card.adjusted(1.2, 1.2, -1.2, -1.2));
  p.setPen(Qt::NoPen);
  p.setBrush(GoldBrush(card));
  p.drawPath(Star(card.center(), 3, 1.2, 5));
}

void GlyphFontSize(QPainter& p, qreal s) {
  const qreal ink = InkWidth(s);
  auto letter = [&](QPointF base, qreal h, qreal stroke) {
    QPainterPath a;
    a.moveTo(base.x() - h * 0.42, base.y());
    a.lineTo(base.x(), base.y() - h);
    a.lineTo(base.x() + h * 0.42, base.y());
    a.moveTo(base.x() - h * 0.24, base.y() - h * 0.38);
    a.lineTo(base.x() + h * 0.24, base.y() - h * 0.38);
    return StrokeOf(a, stroke, Qt::FlatCap, Qt::MiterJoin);
  };
  Inked(p, letter(QPointF(5.5, 13.5), 11, 2.1), QBrush(kNavyLight), ink * 0.5, kNavyDeep);
  Inked(p, letter(QPointF(12.5, 13.5), 6.5, 1.6), QBrush(kNavyLight), ink * 0.5, kNavyDeep);
}

// ---------------------------------------------------------------------------

using Draw = std::function<void(QPainter&, qreal)>;

Draw Texture(void (*f)(QPainter&, qreal, qreal, qreal), QSize size) {
  return [f, size](QPainter& p, qreal s) { f(p, s, size.width(), size.height()); };
}

// Ground of a button that sits `top` pixels down a 17-pixel title bar and
// is drawn there `shown` pixels high.
Draw TitleGround(QSize size, qreal top, qreal shown) {
  return [size, top, shown](QPainter& p, qreal s) {
    const qreal k = size.height() / shown;
    p.save();
    p.translate(0, -top * k);
    p.scale(1, k);
    TitleBar(p, s * k, size.width(), 17);
    p.restore();
  };
}

Draw PlainGround(QColor c) {
  return [c](QPainter& p, qreal) { p.fillRect(QRectF(0, 0, 1000, 1000), c); };
}

Draw TileButton(void (*glyph)(QPainter&, qreal, qreal), qreal height) {
  return [glyph, height](QPainter& p, qreal s) {
    Tile(p, s, QRectF(0, 0, 32, height));
    glyph(p, s, (height - 32) / 2);
  };
}

}  // namespace

std::vector<Picture> SkinPictures() {
  std::vector<Picture> out;
  auto texture = [&](const char* name, QSize size, void (*f)(QPainter&, qreal, qreal, qreal)) {
    out.push_back({name, size, Kind::Texture, Texture(f, size), {}});
  };
  auto button = [&](const char* name, QSize size, Draw draw, Draw ground) {
    out.push_back({name, size, Kind::Button, std::move(draw), std::move(ground)});
  };

  texture("frame", {36, 126}, Frame);
  texture("titlebar", {36, 17}, TitleBar);
  texture("bottombar", {36, 17}, BottomBar);
  texture("edge_h", {36, 4}, EdgeHorizontal);
  texture("edge_v", {2, 36}, EdgeVertical);
  texture("line_h", {36, 2}, LineUnderTitle);
  texture("toolbar", {36, 22}, ToolBar);

  button("menu", {32, 32}, MenuStar, TitleGround({32, 32}, 0, 17));
  button("spreads", {17, 17}, SpreadsFan, TitleGround({17, 17}, 0, 17));
  button("close", {16, 16}, Cross, TitleGround({16, 16}, 0, 17));
  button("minimise", {16, 6}, MinimiseBar, TitleGround({16, 6}, 8, 6));
  button("maximise", {16, 16}, MaximiseGlyph, TitleGround({16, 16}, 0, 17));
  button("restore", {16, 16}, RestoreGlyph, TitleGround({16, 16}, 0, 17));
  button("window_icon", {17, 17}, WindowIcon, TitleGround({17, 17}, 0, 17));

  const Draw tile_ground = PlainGround(kNavyDeep);
  button("spread_draw", {32, 32}, TileButton(GlyphDraw, 32), tile_ground);
  button("spread_new", {32, 32}, TileButton(GlyphNewSpread, 32), tile_ground);
  button("spread_deal", {32, 32}, TileButton(GlyphDeal, 32), tile_ground);
  button("spread_shuffle", {32, 32}, TileButton(GlyphShuffle, 32), tile_ground);
  button("spread_add_deck", {32, 32}, TileButton(GlyphAddDeck, 32), tile_ground);
  button("spread_save", {32, 32}, TileButton(GlyphSave, 32), tile_ground);
  button("spread_open", {32, 32}, TileButton(GlyphOpen, 32), tile_ground);
  button("spread_main_window", {32, 32}, TileButton(GlyphMainWindow, 32), tile_ground);
  button("question_new", {32, 40}, TileButton(GlyphNewSpread, 40), tile_ground);
  button("question_draw", {32, 40}, TileButton(GlyphDraw, 40), tile_ground);
  button(
      "group_selected", {32, 32},
      [](QPainter& p, qreal s) {
        Tile(p, s, QRectF(0, 0, 32, 32), true);
        GlyphDeckGroup(p, s, true);
      },
      tile_ground);
  button(
      "group_unselected", {32, 32},
      [](QPainter& p, qreal s) {
        Tile(p, s, QRectF(0, 0, 32, 32), false);
        GlyphDeckGroup(p, s, false);
      },
      tile_ground);

  const Draw toolbar_ground = [](QPainter& p, qreal s) {
    p.save();
    p.translate(0, -3);
    ToolBar(p, s, 16, 22);
    p.restore();
  };
  button("glyph_description", {16, 16}, GlyphBook, toolbar_ground);
  button("glyph_card", {16, 16}, GlyphCard, toolbar_ground);
  button("glyph_font_size", {16, 16}, GlyphFontSize, toolbar_ground);
  return out;
}

// ---------------------------------------------------------------------------
// Program icon: a tarot card with a gold star on a sky-blue disc. Detail is
// chosen per size so that the small sizes stay sharp.

QImage AppIcon(int pixels) {
  QImage img(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  DrawAppIcon(p, pixels);
  return img;
}

void DrawAppIcon(QPainter& p, int pixels) {
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = pixels / 32.0;
  p.scale(s, s);
  const qreal ink = pixels <= 16 ? 2.0 : pixels <= 32 ? 0.9 : 0.6;  // 1 pixel at 16

  if (pixels >= 32) {
    QRadialGradient sky(QPointF(13, 11), 20);
    sky.setColorAt(0.0, kSkyLight);
    sky.setColorAt(0.6, kSky);
    sky.setColorAt(1.0, kSteel);
    p.setPen(QPen(kNavy, pixels >= 64 ? 0.5 : 0.8));
    p.setBrush(sky);
    p.drawEllipse(QPointF(16, 16), 15.2, 15.2);
  }

  // Card, leaning a little for the larger sizes.
  // At 16 pixels the card's edges fall on whole pixels.
  const QRectF card = pixels <= 16 ? QRectF(8, 2, 16, 28) : QRectF(-8.5, -13.5, 17, 27);
  p.save();
  if (pixels > 16) {
    p.translate(16, 16.5);
    p.rotate(8);
  }
  const qreal radius = 2;
  Inked(p, RoundRect(card, radius), ParchmentBrush(card), ink);
  const qreal border = 2.0;
  const QRectF face = card.adjusted(border, border, -border, -border);
  QLinearGradient night(face.topLeft(), face.bottomLeft());
  night.setColorAt(0.0, kNavyLight);
  night.setColorAt(1.0, kNavyDeep);
  p.setPen(pixels >= 64 ? QPen(kGold, 0.35) : Qt::NoPen);
  p.setBrush(night);
  p.drawRect(face);
  if (pixels >= 64) {
    // Small stars in the night sky of the card.
    p.setPen(Qt::NoPen);
    p.setBrush(kGoldLight);
    const QPointF dots[] = {{-4.5, -8.5}, {4.2, -9}, {-4.8, 7.5}, {4.6, 8},
                            {0, 9.5},     {-5, 0.5}, {5, 0}};
    for (QPointF d : dots) p.drawPath(Star(d, 0.9, 0.35, 4));
  }
  QRadialGradient glow(face.center(), face.width() * 0.7);
  glow.setColorAt(0.0, WithAlpha(kGoldLight, pixels >= 32 ? 110 : 0));
  glow.setColorAt(1.0, WithAlpha(kGold, 0));
  p.setBrush(glow);
  p.drawRect(face);
  const qreal star_r = pixels <= 16 ? 6.2 : 6.6;
  const QPainterPath star = Star(face.center(), star_r, star_r * 0.42, 5);
  if (pixels >= 32) {
    QRadialGradient bright(face.center() - QPointF(1, 2), star_r * 1.2);
    bright.setColorAt(0.0, kParchmentLight);
    bright.setColorAt(0.35, kGoldLight);
    bright.setColorAt(1.0, kGold);
    Inked(p, star, bright, pixels >= 64 ? 0.35 : 0.5, kGoldDark);
  } else {
    p.setBrush(kGold);
    p.drawPath(star);
  }
  p.restore();
}

}  // namespace vaticor::skin
