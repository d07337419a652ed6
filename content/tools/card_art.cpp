#include "card_art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "emblems.h"
#include "palette.h"

namespace sample_content {
namespace {

using namespace palette;

constexpr qreal kW = kCardWidth;
constexpr qreal kH = kCardHeight;

// The picture window: straight sides and bottom, an elliptical arch on top,
// so that the top of the card never looks like its bottom.
constexpr qreal kWindowLeft = 34;
constexpr qreal kWindowRight = kW - 34;
constexpr qreal kWindowBottom = 566;
constexpr qreal kArchTop = 78;
constexpr qreal kArchHeight = 62;

// The name band at the foot of the card.
const QRectF kBand(30, 584, kW - 60, 64);

// Centre of the picture inside the window.
constexpr QPointF kCentre(kW / 2, 318);

QPainterPath art_window(qreal inset) {
  const qreal left = kWindowLeft + inset;
  const qreal right = kWindowRight - inset;
  const qreal top = kArchTop + inset;
  const qreal spring = kArchTop + kArchHeight;  // where the arch meets the sides
  QPainterPath path(QPointF(left, kWindowBottom - inset));
  path.lineTo(left, spring);
  path.arcTo(QRectF(left, top, right - left, 2 * (spring - top)), 180, -180);
  path.lineTo(right, kWindowBottom - inset);
  path.closeSubpath();
  return path;
}

QBrush gold_brush(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0.0, kGoldLight);
  g.setColorAt(0.5, kGold);
  g.setColorAt(1.0, kGoldDark);
  return g;
}

QFont fitted_font(const QString& family, const QString& text, int largest, int smallest,
                  qreal max_width, qreal letter_spacing = 0) {
  QFont font(family);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, letter_spacing);
  for (int px = largest; px >= smallest; --px) {
    font.setPixelSize(px);
    if (QFontMetricsF(font).horizontalAdvance(text) <= max_width) return font;
  }
  font.setPixelSize(smallest);
  return font;
}

void paint_frame(QPainter& p) {
  QLinearGradient ground(0, 0, 0, kH);
  ground.setColorAt(0.0, kNavy);
  ground.setColorAt(1.0, kNavyDeep);
  p.fillRect(QRectF(0, 0, kW, kH), ground);

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(gold_brush(QRectF(0, 0, kW, kH)), 4.0));
  p.drawRoundedRect(QRectF(10, 10, kW - 20, kH - 20), 12, 12);
  p.setPen(QPen(kGoldDark, 1.2));
  p.drawRoundedRect(QRectF(18, 18, kW - 36, kH - 36), 7, 7);

  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  for (const QPointF c :
       {QPointF(18, 18), QPointF(kW - 18, 18), QPointF(18, kH - 18), QPointF(kW - 18, kH - 18)})
    p.drawPath(star(c, 8, 2.2, 4));
}

void paint_sky(QPainter& p, int number) {
  const QPainterPath window = art_window(0);
  p.save();
  p.setClipPath(window);
  QRadialGradient sky(kCentre, 330);
  sky.setColorAt(0.0, kNavyLight);
  sky.setColorAt(0.55, kNavy);
  sky.setColorAt(1.0, kNavyDeep);
  p.fillRect(window.boundingRect(), sky);

  // A fixed scatter of stars per card, the same on every run.
  std::mt19937 rng(static_cast<std::mt19937::result_type>(number * 7919 + 17));
  std::uniform_real_distribution<qreal> x(kWindowLeft, kWindowRight);
  std::uniform_real_distribution<qreal> y(kArchTop, kWindowBottom - 50);
  std::uniform_real_distribution<qreal> radius(0.5, 1.6);
  std::uniform_int_distribution<int> alpha(70, 220);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 90; ++i) {
    QColor c = i % 3 == 0 ? kGoldLight : QColor(Qt::white);
    c.setAlpha(alpha(rng));
    p.setBrush(c);
    const qreal r = radius(rng);
    p.drawEllipse(QPointF(x(rng), y(rng)), r, r);
  }

  // Dark hills along the bottom of the window.
  QPainterPath hills(QPointF(kWindowLeft, kWindowBottom));
  hills.lineTo(kWindowLeft, 528);
  hills.cubicTo(110, 500, 160, 534, 220, 522);
  hills.cubicTo(280, 510, 320, 508, kWindowRight, 520);
  hills.lineTo(kWindowRight, kWindowBottom);
  hills.closeSubpath();
  QLinearGradient hill_fill(0, 505, 0, kWindowBottom);
  hill_fill.setColorAt(0.0, QColor(0x18, 0x26, 0x52));
  hill_fill.setColorAt(1.0, QColor(0x07, 0x0c, 0x1f));
  p.setBrush(hill_fill);
  p.setPen(QPen(QColor(0x3a, 0x55, 0x95), 1.0));
  p.drawPath(hills);
  p.restore();
}

void paint_window_border(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(gold_brush(QRectF(0, 0, kW, kH)), 3.0));
  p.drawPath(art_window(0));
  p.setPen(QPen(kGoldDark, 1.0));
  p.drawPath(art_window(6));
}

void paint_plaque(QPainter& p, const QString& text, const QString& family) {
  const QFont font = fitted_font(family, text, 26, 14, 240, 1.5);
  const qreal text_width = QFontMetricsF(font).horizontalAdvance(text);
  const qreal half = std::max(34.0, text_width / 2 + 24);
  const qreal top = 28, bottom = 66, mid = (top + bottom) / 2;
  const qreal cx = kW / 2;

  // Thin rules with beads run from the plaque out to the frame.
  p.setPen(QPen(kGoldDark, 1.2));
  p.drawLine(QPointF(30, mid), QPointF(cx - half, mid));
  p.drawLine(QPointF(cx + half, mid), QPointF(kW - 30, mid));
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawEllipse(QPointF(30, mid), 2.5, 2.5);
  p.drawEllipse(QPointF(kW - 30, mid), 2.5, 2.5);

  QPainterPath plaque(QPointF(cx - half + 12, top));
  plaque.lineTo(cx + half - 12, top);
  plaque.lineTo(cx + half, mid);
  plaque.lineTo(cx + half - 12, bottom);
  plaque.lineTo(cx - half + 12, bottom);
  plaque.lineTo(cx - half, mid);
  plaque.closeSubpath();
  QLinearGradient fill(0, top, 0, bottom);
  fill.setColorAt(0.0, kNavyLight);
  fill.setColorAt(1.0, kNavyDeep);
  p.setBrush(fill);
  p.setPen(QPen(gold_brush(plaque.boundingRect()), 2.2));
  p.drawPath(plaque);

  p.setFont(font);
  p.setPen(kGoldLight);
  p.drawText(QRectF(cx - half, top, 2 * half, bottom - top), Qt::AlignCenter, text);
}

void paint_name_band(QPainter& p, const QString& name, const QString& family) {
  QLinearGradient parchment(0, kBand.top(), 0, kBand.bottom());
  parchment.setColorAt(0.0, kParchmentLight);
  parchment.setColorAt(1.0, kParchment);
  p.setBrush(parchment);
  p.setPen(QPen(gold_brush(kBand), 2.5));
  p.drawRoundedRect(kBand, 4, 4);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGoldDark, 0.9));
  p.drawRoundedRect(kBand.adjusted(5, 5, -5, -5), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kGoldDark);
  for (const qreal x : {kBand.left() + 16, kBand.right() - 16}) {
    const QPointF c(x, kBand.center().y());
    p.drawPolygon(
        QPolygonF({c + QPointF(0, -6), c + QPointF(5, 0), c + QPointF(0, 6), c + QPointF(-5, 0)}));
  }

  const QRectF text_box = kBand.adjusted(30, 4, -30, -4);
  p.setFont(fitted_font(family, name, 28, 13, text_box.width()));
  p.setPen(kNavy);
  p.drawText(text_box, Qt::AlignCenter, name);
}

void draw_scaled(QPainter& p, QPointF at, qreal size, qreal angle, auto draw) {
  p.save();
  p.translate(at);
  p.rotate(angle);
  p.scale(size / 100, size / 100);
  draw(p);
  p.restore();
}

void soft_glow(QPainter& p, QPointF c, qreal r, QColor colour, int alpha) {
  QRadialGradient g(c, r);
  colour.setAlpha(alpha);
  g.setColorAt(0.0, colour);
  colour.setAlpha(0);
  g.setColorAt(1.0, colour);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, r, r);
}

struct Pip {
  qreal x, y;  // fractions of the pip area
};

// Playing-card style arrangements for two to ten emblems.
const std::array<std::vector<Pip>, 11>& pip_layouts() {
  static const std::array<std::vector<Pip>, 11> layouts = {{
      {},
      {},
      {{0.5, 0.2}, {0.5, 0.8}},
      {{0.5, 0.15}, {0.5, 0.5}, {0.5, 0.85}},
      {{0.25, 0.2}, {0.75, 0.2}, {0.25, 0.8}, {0.75, 0.8}},
      {{0.25, 0.15}, {0.75, 0.15}, {0.5, 0.5}, {0.25, 0.85}, {0.75, 0.85}},
      {{0.25, 0.12}, {0.75, 0.12}, {0.25, 0.5}, {0.75, 0.5}, {0.25, 0.88}, {0.75, 0.88}},
      {{0.25, 0.12},
       {0.75, 0.12},
       {0.5, 0.31},
       {0.25, 0.5},
       {0.75, 0.5},
       {0.25, 0.88},
       {0.75, 0.88}},
      {{0.25, 0.12},
       {0.75, 0.12},
       {0.5, 0.31},
       {0.25, 0.5},
       {0.75, 0.5},
       {0.5, 0.69},
       {0.25, 0.88},
       {0.75, 0.88}},
      {{0.2, 0.1},
       {0.8, 0.1},
       {0.2, 0.37},
       {0.8, 0.37},
       {0.5, 0.5},
       {0.2, 0.63},
       {0.8, 0.63},
       {0.2, 0.9},
       {0.8, 0.9}},
      {{0.2, 0.1},
       {0.8, 0.1},
       {0.5, 0.23},
       {0.2, 0.37},
       {0.8, 0.37},
       {0.2, 0.63},
       {0.8, 0.63},
       {0.5, 0.77},
       {0.2, 0.9},
       {0.8, 0.9}},
  }};
  return layouts;
}

// Emblem height for a rank: fewer emblems are drawn larger. Pentacles are
// round and need a little less.
qreal pip_size(Suit suit, int rank) {
  const qreal base = rank <= 3 ? 150 : rank <= 6 ? 124 : rank <= 8 ? 104 : 92;
  return suit == Suit::Pentacles ? base * 0.86 : base;
}

void paint_suit_card(QPainter& p, Suit suit, int rank) {
  auto emblem = [suit](QPainter& q) { draw_suit_emblem(q, suit); };
  if (rank == 1) {
    soft_glow(p, kCentre, 190, kGoldLight, 80);
    QPainterPath rays;
    for (int i = 0; i < 36; ++i) {
      const qreal a = i * 10.0 * std::numbers::pi / 180;
      const qreal r0 = 150, r1 = i % 2 == 0 ? 200 : 178;
      rays.moveTo(kCentre + QPointF(r0 * std::cos(a), r0 * std::sin(a)));
      rays.lineTo(kCentre + QPointF(r1 * std::cos(a), r1 * std::sin(a)));
    }
    QColor ray = kGoldLight;
    ray.setAlpha(150);
    p.setPen(QPen(ray, 1.4));
    p.drawPath(rays);
    draw_scaled(p, kCentre, 270, 0, emblem);
    return;
  }
  if (rank >= 11) {
    soft_glow(p, QPointF(kW / 2, 172), 90, kGoldLight, 70);
    draw_scaled(p, QPointF(kW / 2, 172), 120, 0, [rank](QPainter& q) { draw_court_mark(q, rank); });
    soft_glow(p, QPointF(kW / 2, 372), 150, kGoldLight, 60);
    draw_scaled(p, QPointF(kW / 2, 376), 230, 0, emblem);
    return;
  }
  const QRectF area(60, 124, kW - 120, 388);
  const qreal size = pip_size(suit, rank);
  const auto& layout = pip_layouts()[static_cast<std::size_t>(rank)];
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const QPointF at(area.left() + layout[i].x * area.width(),
                     area.top() + layout[i].y * area.height());
    // Wands lean a little, alternately, like staves stood together.
    const qreal lean = suit == Suit::Wands ? (i % 2 == 0 ? -8.0 : 8.0) : 0.0;
    soft_glow(p, at, size * 0.55, kGoldLight, 45);
    draw_scaled(p, at, size, lean, emblem);
  }
}

void paint_major_card(QPainter& p, int number) {
  soft_glow(p, kCentre, 200, kSilverLight, 40);
  draw_scaled(p, kCentre, 300, 0, [number](QPainter& q) { draw_major_symbol(q, number); });
}

QString roman(int n) {
  if (n == 0) return QStringLiteral("0");
  static const std::pair<int, const char*> kDigits[] = {
      {10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}};
  QString out;
  for (const auto& [value, digits] : kDigits)
    while (n >= value) {
      out += QLatin1String(digits);
      n -= value;
    }
  return out;
}

}  // namespace

QString card_numeral(int number, const QString& name) {
  if (number < 22) return roman(number);
  const int rank = (number - 22) % 14 + 1;
  if (rank >= 2 && rank <= 10) return QString::number(rank);
  return name.section(QLatin1Char(' '), 0, 0).toUpper();
}

QImage paint_card(int number, const QString& name, const QString& family) {
  QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);

  paint_frame(p);
  paint_sky(p, number);
  p.save();
  p.setClipPath(art_window(2));
  if (number < 22) {
    paint_major_card(p, number);
  } else {
    const auto suit = static_cast<Suit>((number - 22) / 14);
    paint_suit_card(p, suit, (number - 22) % 14 + 1);
  }
  p.restore();
  paint_window_border(p);
  paint_plaque(p, card_numeral(number, name), family);
  paint_name_band(p, name, family);
  p.end();
  return image;
}

}  // namespace sample_content
