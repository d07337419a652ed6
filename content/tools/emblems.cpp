#include "emblems.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <numbers>

#include "palette.h"

namespace sample_content {
namespace {

using namespace palette;

// ---------------------------------------------------------------- helpers

QPointF polar(QPointF c, qreal r, qreal degrees) {
  const qreal a = degrees * std::numbers::pi / 180.0;
  return {c.x() + r * std::cos(a), c.y() + r * std::sin(a)};
}

QBrush three_stop(QPointF from, QPointF to, const QColor& a, const QColor& b, const QColor& c) {
  QLinearGradient g(from, to);
  g.setColorAt(0.0, a);
  g.setColorAt(0.5, b);
  g.setColorAt(1.0, c);
  return g;
}

QBrush gold_fill(const QRectF& r = QRectF(-50, -50, 100, 100)) {
  return three_stop(r.topLeft(), r.bottomRight(), kGoldLight, kGold, kGoldDark);
}

// Metal and wood are lit from the middle across their width.
QBrush across(const QRectF& r, const QColor& edge, const QColor& middle) {
  return three_stop(QPointF(r.left(), 0), QPointF(r.right(), 0), edge, middle, edge);
}

QPen pen(const QColor& c, qreal width) {
  QPen p(c);
  p.setWidthF(width);
  p.setCapStyle(Qt::RoundCap);
  p.setJoinStyle(Qt::RoundJoin);
  return p;
}

QPen outline(qreal width = 1.2) { return pen(kInk, width); }

void fill(QPainter& p, const QPainterPath& path, const QBrush& brush,
          const QPen& edge = outline()) {
  p.setPen(edge);
  p.setBrush(brush);
  p.drawPath(path);
}

void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width) {
  p.setPen(pen(colour, width));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

// A line drawn twice, dark and wide under light and narrow, so that it reads
// against the navy sky.
void inked_stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width) {
  stroke(p, path, kInk, width + 1.8);
  stroke(p, path, colour, width);
}

void gold_stroke(QPainter& p, const QPainterPath& path, qreal width) {
  stroke(p, path, kInk, width + 1.8);
  QPen gold(gold_fill(), width);
  gold.setCapStyle(Qt::RoundCap);
  gold.setJoinStyle(Qt::RoundJoin);
  p.setPen(gold);
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

QPainterPath circle(QPointF c, qreal r) {
  QPainterPath path;
  path.addEllipse(c, r, r);
  return path;
}

QPainterPath ellipse(QPointF c, qreal rx, qreal ry) {
  QPainterPath path;
  path.addEllipse(c, rx, ry);
  return path;
}

QPainterPath line(QPointF a, QPointF b) {
  QPainterPath path(a);
  path.lineTo(b);
  return path;
}

QPainterPath rect(const QRectF& r) {
  QPainterPath path;
  path.addRect(r);
  return path;
}

QPainterPath rounded(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  bool first = true;
  for (const QPointF& pt : points) {
    if (first)
      path.moveTo(pt);
    else
      path.lineTo(pt);
    first = false;
  }
  path.closeSubpath();
  return path;
}

// Five lines crossing, point up at rotation -90, point down at 90.
QPainterPath pentagram(QPointF c, qreal r, qreal rotation = -90) {
  QPainterPath path(polar(c, r, rotation));
  for (int k = 1; k <= 5; ++k) path.lineTo(polar(c, r, rotation + (k * 2 % 5) * 72.0));
  path.closeSubpath();
  return path;
}

// The figure of eight lying on its side.
QPainterPath lemniscate(QPointF c, qreal half_width, qreal half_height) {
  QPainterPath path;
  constexpr int kSteps = 96;
  constexpr qreal kPeak = 0.353553;  // largest |sin t cos t / (1 + sin^2 t)|
  for (int i = 0; i <= kSteps; ++i) {
    const qreal t = 2 * std::numbers::pi * i / kSteps;
    const qreal d = 1 + std::sin(t) * std::sin(t);
    const QPointF pt(c.x() + half_width * std::cos(t) / d,
                     c.y() + half_height * std::sin(t) * std::cos(t) / d / kPeak);
    if (i == 0)
      path.moveTo(pt);
    else
      path.lineTo(pt);
  }
  return path;
}

QPainterPath heart(QPointF c, qreal s) {
  QPainterPath path(c + QPointF(0, 0.9 * s));
  path.cubicTo(c + QPointF(-1.15 * s, 0.05 * s), c + QPointF(-0.85 * s, -0.95 * s),
               c + QPointF(0, -0.4 * s));
  path.cubicTo(c + QPointF(0.85 * s, -0.95 * s), c + QPointF(1.15 * s, 0.05 * s),
               c + QPointF(0, 0.9 * s));
  return path;
}

QPainterPath drop(QPointF c, qreal s) {
  QPainterPath path(c + QPointF(0, -1.4 * s));
  path.cubicTo(c + QPointF(0.4 * s, -0.6 * s), c + QPointF(s, -0.1 * s),
               c + QPointF(s * 0.95, 0.35 * s));
  path.arcTo(QRectF(c.x() - s, c.y() - 0.6 * s, 2 * s, 2 * s), 0, -180);
  path.cubicTo(c + QPointF(-s, -0.1 * s), c + QPointF(-0.4 * s, -0.6 * s),
               c + QPointF(0, -1.4 * s));
  return path;
}

void glow(QPainter& p, QPointF c, qreal r, QColor colour, int alpha) {
  QRadialGradient g(c, r);
  colour.setAlpha(alpha);
  g.setColorAt(0.0, colour);
  colour.setAlpha(alpha / 3);
  g.setColorAt(0.5, colour);
  colour.setAlpha(0);
  g.setColorAt(1.0, colour);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, r, r);
}

void rays(QPainter& p, QPointF c, qreal r0, qreal r1, int count, const QColor& colour, qreal width,
          qreal rotation = 0) {
  QPainterPath path;
  for (int i = 0; i < count; ++i) {
    const qreal a = rotation + 360.0 * i / count;
    path.moveTo(polar(c, r0, a));
    path.lineTo(polar(c, r1, a));
  }
  stroke(p, path, colour, width);
}

void rose(QPainter& p, QPointF c, qreal r) {
  QPainterPath petals;
  for (int i = 0; i < 5; ++i)
    petals = petals.united(circle(polar(c, r * 0.5, -90 + i * 72), r * 0.5));
  fill(p, petals,
       three_stop(c - QPointF(r, r), c + QPointF(r, r), Qt::white, kSilverLight, kSilver),
       outline(0.8));
  fill(p, circle(c, r * 0.28), gold_fill(), outline(0.6));
}

// ---------------------------------------------------------------- suits

void draw_wand(QPainter& p) {
  const QRectF shaft(-5, -40, 10, 88);
  QPainterPath staff(QPointF(-3.5, -40));
  staff.lineTo(3.5, -40);
  staff.lineTo(5, 43);
  staff.quadTo(0, 48, -5, 43);
  staff.closeSubpath();
  fill(p, staff, across(shaft, kWoodDark, kWoodLight));
  fill(p, ellipse(QPointF(0.8, -8), 2.2, 1.4), QBrush(kWoodDark), Qt::NoPen);
  fill(p, ellipse(QPointF(-1, 20), 2.2, 1.4), QBrush(kWoodDark), Qt::NoPen);

  QPainterPath leaf(QPointF(0, 0));
  leaf.quadTo(7, -7, 16, -2);
  leaf.quadTo(7, 3, 0, 0);
  const struct {
    QPointF at;
    qreal angle;
  } leaves[] = {{{3, -28}, -28}, {{-3, -16}, 200}, {{3, 2}, -16}, {{-3, 28}, 196}};
  for (const auto& l : leaves) {
    p.save();
    p.translate(l.at);
    p.rotate(l.angle);
    fill(p, leaf, three_stop(QPointF(0, -4), QPointF(16, 2), kGreen, kGreen, kGreenDark),
         outline(0.8));
    p.restore();
  }
  fill(p, ellipse(QPointF(0, -42), 6, 5), gold_fill(QRectF(-6, -47, 12, 10)));
  fill(p, rounded(QRectF(-4.5, -36, 9, 3), 1.2), gold_fill(QRectF(-5, -37, 10, 4)), outline(0.7));
}

void draw_cup(QPainter& p) {
  QPainterPath base(QPointF(-4, 28));
  base.cubicTo(-8, 34, -20, 35, -20, 40);
  base.lineTo(20, 40);
  base.cubicTo(20, 35, 8, 34, 4, 28);
  base.closeSubpath();
  fill(p, base, gold_fill());
  fill(p, rounded(QRectF(-3.5, 0, 7, 30), 1.5), gold_fill(QRectF(-4, 0, 8, 30)));
  fill(p, ellipse(QPointF(0, 14), 7, 3.5), gold_fill());

  QPainterPath bowl(QPointF(-25, -36));
  bowl.cubicTo(-25, -10, -12, 2, 0, 2);
  bowl.cubicTo(12, 2, 25, -10, 25, -36);
  bowl.closeSubpath();
  fill(p, bowl, gold_fill(QRectF(-25, -40, 50, 42)));
  fill(p, ellipse(QPointF(0, -36), 25, 5), QBrush(kGoldLight));
  fill(p, ellipse(QPointF(0, -35.5), 21, 3.3),
       three_stop(QPointF(-21, 0), QPointF(21, 0), kTealDark, kTeal, kTealDark), outline(0.6));
  stroke(p, line(QPointF(-22, -25), QPointF(22, -25)), kGoldDark, 1.0);
  fill(p, circle(QPointF(0, -15), 4.5),
       three_stop(QPointF(-4, -19), QPointF(4, -11), kRubyLight, kRuby, kRuby), outline(0.8));
}

void draw_sword(QPainter& p) {
  const QPainterPath blade = polygon({{0, -49}, {5.5, -38}, {5.5, 16}, {-5.5, 16}, {-5.5, -38}});
  fill(p, blade, across(QRectF(-5.5, 0, 11, 1), kSilverDark, kSilverLight));
  stroke(p, line(QPointF(0, -36), QPointF(0, 12)), kSilverDark, 1.0);

  QPainterPath guard = rounded(QRectF(-20, 15.5, 40, 6.5), 3);
  guard = guard.united(circle(QPointF(-21, 18.75), 4)).united(circle(QPointF(21, 18.75), 4));
  fill(p, guard, gold_fill(QRectF(-24, 14, 48, 10)));
  fill(p, rounded(QRectF(-3.2, 22, 6.4, 17), 1.5),
       across(QRectF(-3.2, 0, 6.4, 1), kWoodDark, kWoodLight));
  for (const qreal y : {26.0, 30.5, 35.0})
    stroke(p, line(QPointF(-3, y), QPointF(3, y - 2)), kGold, 1.0);
  fill(p, circle(QPointF(0, 43), 5), gold_fill(QRectF(-5, 38, 10, 10)));
  fill(p, circle(QPointF(0, 18.75), 2.2), QBrush(kRuby), outline(0.6));
}

void draw_pentacle(QPainter& p) {
  fill(p, circle(QPointF(0, 0), 40), gold_fill(QRectF(-40, -40, 80, 80)), outline(1.5));
  fill(p, circle(QPointF(0, 0), 33),
       three_stop(QPointF(-33, -33), QPointF(33, 33), kGold, kGoldDark, kGold),
       pen(kGoldLight, 1.0));
  QPainterPath ring = circle(QPointF(0, 0), 29);
  stroke(p, ring, kNavy, 1.2);
  stroke(p, pentagram(QPointF(0, 0), 29), kNavy, 2.8);
  for (int i = 0; i < 10; ++i)
    fill(p, circle(polar(QPointF(0, 0), 36.5, i * 36), 1.3), QBrush(kGoldDark), Qt::NoPen);
}

// ---------------------------------------------------------------- court marks

QPainterPath queen_crown() {
  QPainterPath points(QPointF(-32, 12));
  const QPointF tips[] = {{-36, -14}, {-18, -22}, {0, -28}, {18, -22}, {36, -14}};
  const QPointF dips[] = {{-24, 0}, {-9, -4}, {9, -4}, {24, 0}};
  for (int i = 0; i < 5; ++i) {
    points.lineTo(tips[i]);
    if (i < 4) points.lineTo(dips[i]);
  }
  points.lineTo(32, 12);
  points.closeSubpath();
  return points;
}

void draw_queen_crown(QPainter& p) {
  fill(p, queen_crown(), gold_fill());
  const QPointF tips[] = {{-36, -14}, {-18, -22}, {0, -28}, {18, -22}, {36, -14}};
  for (const QPointF& t : tips)
    fill(p, circle(t, 4),
         three_stop(t - QPointF(4, 4), t + QPointF(4, 4), Qt::white, kSilverLight, kSilver),
         outline(0.8));
  fill(p, rounded(QRectF(-34, 10, 68, 13), 3), gold_fill());
  for (const qreal x : {-20.0, 0.0, 20.0})
    fill(p, ellipse(QPointF(x, 16.5), 4, 3.5), QBrush(x == 0 ? kRuby : kTeal), outline(0.7));
}

void draw_king_crown(QPainter& p) {
  QPainterPath body(QPointF(-34, 14));
  body.lineTo(-36, -12);
  body.lineTo(-16, 2);
  body.lineTo(0, -24);
  body.lineTo(16, 2);
  body.lineTo(36, -12);
  body.lineTo(34, 14);
  body.closeSubpath();
  fill(p, body, gold_fill());
  QPainterPath cross =
      rounded(QRectF(-2.5, -42, 5, 20), 1).united(rounded(QRectF(-8, -36, 16, 5), 1));
  fill(p, cross, gold_fill());
  fill(p, circle(QPointF(-36, -14), 4), gold_fill());
  fill(p, circle(QPointF(36, -14), 4), gold_fill());
  fill(p, circle(QPointF(0, -4), 4.5), QBrush(kRuby), outline(0.8));
  // Ermine band.
  fill(p, rounded(QRectF(-37, 12, 74, 14), 4), QBrush(kParchmentLight));
  for (const qreal x : {-27.0, -13.5, 0.0, 13.5, 27.0})
    fill(p, polygon({{x, 15}, {x + 2, 20}, {x, 23}, {x - 2, 20}}), QBrush(kNavyDeep), Qt::NoPen);
}

void draw_helmet(QPainter& p) {
  QPainterPath plume(QPointF(0, -24));
  plume.cubicTo(8, -48, 34, -50, 46, -30);
  plume.cubicTo(36, -36, 20, -36, 6, -20);
  plume.closeSubpath();
  fill(p, plume, three_stop(QPointF(0, -48), QPointF(40, -24), kRubyLight, kRuby, kRuby));

  QPainterPath helm(QPointF(-24, 34));
  helm.lineTo(-26, -2);
  helm.cubicTo(-26, -34, 26, -34, 26, -2);
  helm.lineTo(24, 34);
  helm.lineTo(8, 40);
  helm.lineTo(-8, 40);
  helm.closeSubpath();
  fill(p, helm, across(QRectF(-26, 0, 52, 1), kSilverDark, kSilverLight));
  fill(p, rounded(QRectF(-21, -3, 42, 6), 2), QBrush(kNavyDeep));
  stroke(p, line(QPointF(0, -26), QPointF(0, -5)), kGold, 2.2);
  for (int row = 0; row < 2; ++row)
    for (int col = -2; col <= 2; ++col)
      fill(p, circle(QPointF(col * 5.5, 12 + row * 6), 1.2), QBrush(kNavyDeep), Qt::NoPen);
  stroke(p, line(QPointF(-24, 30), QPointF(24, 30)), kGold, 2.0);
}

void draw_page_star(QPainter& p) {
  glow(p, QPointF(0, 0), 44, kGoldLight, 150);
  rays(p, QPointF(0, 0), 24, 40, 16, kGoldLight, 1.0, 11.25);
  fill(p, star(QPointF(0, 0), 28, 11.5, 5), gold_fill(QRectF(-28, -28, 56, 56)));
  fill(p, star(QPointF(0, 0), 10, 4.2, 5), QBrush(kGoldLight), outline(0.6));
}

// ---------------------------------------------------------------- major arcana

void draw_at(QPainter& p, QPointF at, qreal scale, qreal angle, void (*draw)(QPainter&)) {
  p.save();
  p.translate(at);
  p.rotate(angle);
  p.scale(scale, scale);
  draw(p);
  p.restore();
}

void fool(QPainter& p) {
  const QPointF sun(-26, -30);
  glow(p, sun, 30, kGoldLight, 130);
  rays(p, sun, 13, 19, 12, kGoldLight, 1.6);
  fill(p, circle(sun, 10.5), gold_fill(QRectF(-37, -41, 22, 22)));
  inked_stroke(p, line(QPointF(-26, 40), QPointF(20, -26)), kWoodLight, 4.0);
  QPainterPath bundle = circle(QPointF(25, -27), 12).united(ellipse(QPointF(20, -18), 6, 5));
  fill(p, bundle, three_stop(QPointF(13, -39), QPointF(37, -15), kRubyLight, kRuby, kRuby));
  for (const QPointF d : {QPointF(22, -31), QPointF(29, -26), QPointF(24, -21), QPointF(30, -33)})
    fill(p, circle(d, 1.3), QBrush(kGoldLight), Qt::NoPen);
  fill(p, circle(QPointF(18, -23), 2.5), gold_fill(), outline(0.6));
  inked_stroke(p, line(QPointF(20, 44), QPointF(18, 28)), kGreen, 1.6);
  rose(p, QPointF(18, 24), 10);
  // The cliff's edge the traveller is about to step from.
  fill(p,
       polygon({{-50, 50},
                {-50, 36},
                {-40, 32},
                {-30, 35},
                {-18, 33},
                {-6, 36},
                {0, 41},
                {-2, 46},
                {2, 50}}),
       three_stop(QPointF(0, 32), QPointF(0, 50), kNavyLight, kNavy, kNavyDeep),
       pen(kGoldDark, 1.0));
}

void magician(QPainter& p) {
  glow(p, QPointF(0, -36), 30, kGoldLight, 120);
  gold_stroke(p, lemniscate(QPointF(0, -36), 22, 9), 4.0);
  fill(p, rounded(QRectF(-44, 46, 88, 4), 1.5), QBrush(kWoodLight));
  draw_at(p, QPointF(-20, -3), 0.3, -12, draw_wand);
  draw_at(p, QPointF(20, -3), 0.3, 0, draw_cup);
  draw_at(p, QPointF(-20, 29), 0.3, 0, draw_sword);
  draw_at(p, QPointF(20, 29), 0.3, 0, draw_pentacle);
}

void high_priestess(QPainter& p) {
  auto pillar = [&p](qreal x, bool dark) {
    const QBrush body = dark ? across(QRectF(x - 7, 0, 14, 1), kNavyDeep, kNavyLight)
                             : across(QRectF(x - 7, 0, 14, 1), kParchment, kParchmentLight);
    fill(p, rounded(QRectF(x - 10, 40, 20, 7), 1.5), gold_fill());
    fill(p, rect(QRectF(x - 7, -30, 14, 70)), body, pen(kGold, 1.2));
    fill(p, rounded(QRectF(x - 10, -38, 20, 8), 1.5), gold_fill());
    for (const qreal dx : {-3.0, 0.0, 3.0})
      stroke(p, line(QPointF(x + dx, -27), QPointF(x + dx, 37)), dark ? kNavyLight : kParchment,
             0.8);
  };
  pillar(-34, true);
  pillar(34, false);
  glow(p, QPointF(0, -12), 24, kSilverLight, 120);
  fill(p, circle(QPointF(0, -12), 15).subtracted(circle(QPointF(7, -15), 13)),
       three_stop(QPointF(-15, -27), QPointF(15, 3), Qt::white, kSilverLight, kSilver),
       outline(0.9));
  QPainterPath scroll = rect(QRectF(-10, 16, 20, 22));
  fill(p, scroll, QBrush(kParchmentLight), outline(0.9));
  fill(p, ellipse(QPointF(0, 16), 11, 2.5), QBrush(kParchment), outline(0.9));
  fill(p, ellipse(QPointF(0, 38), 11, 2.5), QBrush(kParchment), outline(0.9));
  for (const qreal y : {22.0, 26.0, 30.0})
    stroke(p, line(QPointF(-6, y), QPointF(6, y)), kGoldDark, 0.9);
}

void empress(QPainter& p) {
  const QPointF ring(0, -2);
  for (int i = 0; i < 12; ++i)
    fill(p, star(polar(ring, 34, -165 + i * 150.0 / 11), 3.8, 1.6, 5), QBrush(kGoldLight),
         outline(0.5));
  glow(p, ring, 26, kGoldLight, 80);
  gold_stroke(p, circle(ring, 16), 5.5);
  QPainterPath cross = line(QPointF(0, 14), QPointF(0, 44));
  cross.addPath(line(QPointF(-13, 29), QPointF(13, 29)));
  gold_stroke(p, cross, 5.5);
  auto ear = [&p](qreal x, qreal lean) {
    p.save();
    p.translate(x, 44);
    p.rotate(lean);
    inked_stroke(p, line(QPointF(0, 0), QPointF(0, -34)), kGold, 1.4);
    for (int k = 0; k < 5; ++k) {
      const qreal y = -12 - k * 5;
      fill(p, ellipse(QPointF(-2.4, y), 2.2, 3.6), gold_fill(), outline(0.5));
      fill(p, ellipse(QPointF(2.4, y), 2.2, 3.6), gold_fill(), outline(0.5));
    }
    fill(p, ellipse(QPointF(0, -38), 2, 3.6), gold_fill(), outline(0.5));
    p.restore();
  };
  ear(-30, -10);
  ear(30, 10);
}

void emperor(QPainter& p) {
  fill(p, polygon({{-28, 8}, {-18, 0}, {34, 0}, {24, 8}}), QBrush(kSilverLight));
  fill(p, polygon({{24, 8}, {34, 0}, {34, 38}, {24, 46}}), QBrush(kSilverDark));
  fill(p, rect(QRectF(-28, 8, 52, 38)), across(QRectF(-28, 0, 52, 1), kSilver, kSilverLight));
  stroke(p, line(QPointF(-28, 27), QPointF(24, 27)), kSilverDark, 0.8);
  stroke(p, line(QPointF(-2, 8), QPointF(-2, 27)), kSilverDark, 0.8);
  stroke(p, line(QPointF(10, 27), QPointF(10, 46)), kSilverDark, 0.8);

  glow(p, QPointF(0, -24), 30, kGoldLight, 110);
  QPainterPath aries(QPointF(0, -6));
  aries.lineTo(0, -26);
  aries.cubicTo(2, -40, 14, -46, 22, -40);
  aries.cubicTo(28, -35, 26, -24, 18, -24);
  aries.moveTo(0, -26);
  aries.cubicTo(-2, -40, -14, -46, -22, -40);
  aries.cubicTo(-28, -35, -26, -24, -18, -24);
  gold_stroke(p, aries, 5.0);
}

void draw_key(QPainter& p) {
  QPainterPath key = circle(QPointF(0, -17), 7).subtracted(circle(QPointF(0, -17), 3.2));
  key = key.united(rounded(QRectF(-2, -10.5, 4, 32), 1));
  key = key.united(rect(QRectF(1.5, 13, 7, 3.2))).united(rect(QRectF(1.5, 18, 5, 3)));
  p.drawPath(key);
}

void hierophant(QPainter& p) {
  for (const qreal angle : {-38.0, 38.0}) {
    p.save();
    p.translate(0, 30);
    p.rotate(angle);
    p.setPen(outline());
    p.setBrush(angle < 0 ? gold_fill(QRectF(-8, -24, 16, 48))
                         : across(QRectF(-8, 0, 16, 1), kSilverDark, kSilverLight));
    draw_key(p);
    p.restore();
  }
  glow(p, QPointF(0, -24), 30, kGoldLight, 110);
  QPainterPath cross = rounded(QRectF(-3, -47, 6, 70), 1.5);
  cross = cross.united(rounded(QRectF(-8, -38, 16, 5), 1.5));
  cross = cross.united(rounded(QRectF(-13, -28, 26, 5), 1.5));
  cross = cross.united(rounded(QRectF(-18, -18, 36, 5), 1.5));
  fill(p, cross, gold_fill(QRectF(-18, -47, 36, 70)));
}

void lovers(QPainter& p) {
  const QPointF sun(0, -32);
  QPainterPath beams;
  for (const qreal x : {-30.0, -15.0, 0.0, 15.0, 30.0}) {
    beams.moveTo(sun);
    beams.lineTo(x, 10);
  }
  QColor beam = kGoldLight;
  beam.setAlpha(90);
  stroke(p, beams, beam, 1.2);
  glow(p, sun, 28, kGoldLight, 150);
  rays(p, sun, 12, 18, 16, kGoldLight, 1.3);
  fill(p, circle(sun, 10), gold_fill(QRectF(-10, -42, 20, 20)));
  fill(p, heart(QPointF(12, 16), 22),
       three_stop(QPointF(-10, -6), QPointF(34, 36), kGoldLight, kGold, kGoldDark));
  fill(p, heart(QPointF(-12, 16), 22),
       three_stop(QPointF(-34, -6), QPointF(10, 36), kRubyLight, kRuby, kRuby));
  // Lay the gold heart's near edge back over the red one so they interlock.
  p.save();
  p.setClipPath(rect(QRectF(-2, 14, 30, 40)));
  stroke(p, heart(QPointF(12, 16), 22), kInk, 1.2);
  p.restore();
}

void chariot(QPainter& p) {
  QPainterPath posts = line(QPointF(-26, -4), QPointF(-26, -28));
  posts.addPath(line(QPointF(26, -4), QPointF(26, -28)));
  inked_stroke(p, posts, kGold, 2.5);
  QPainterPath canopy(QPointF(-36, -26));
  canopy.cubicTo(-22, -48, 22, -48, 36, -26);
  canopy.closeSubpath();
  fill(p, canopy, three_stop(QPointF(0, -44), QPointF(0, -26), kNavyLight, kNavy, kNavyDeep),
       pen(kGold, 1.4));
  for (const QPointF s :
       {QPointF(-18, -32), QPointF(0, -37), QPointF(18, -32), QPointF(-8, -30), QPointF(9, -30)})
    fill(p, star(s, 3, 1.2, 5), QBrush(kGoldLight), Qt::NoPen);

  QPainterPath body = polygon({{-32, -4}, {32, -4}, {25, 26}, {-25, 26}});
  fill(p, body, gold_fill(QRectF(-32, -4, 64, 30)));
  QPainterPath wings(QPointF(-4, 8));
  wings.cubicTo(-12, 0, -22, 2, -24, 6);
  wings.cubicTo(-18, 8, -12, 12, -4, 12);
  wings.moveTo(4, 8);
  wings.cubicTo(12, 0, 22, 2, 24, 6);
  wings.cubicTo(18, 8, 12, 12, 4, 12);
  fill(p, wings, QBrush(kParchmentLight), outline(0.8));
  fill(p, circle(QPointF(0, 10), 4.5), QBrush(kRuby), outline(0.8));

  for (const qreal x : {-30.0, 30.0}) {
    const QPointF hub(x, 32);
    QPainterPath spokes;
    for (int i = 0; i < 8; ++i) {
      spokes.moveTo(hub);
      spokes.lineTo(polar(hub, 12, i * 45.0));
    }
    stroke(p, spokes, kWoodLight, 1.6);
    inked_stroke(p, circle(hub, 12.5), kWoodLight, 3.0);
    fill(p, circle(hub, 3.2), gold_fill(), outline(0.7));
  }
}

void strength(QPainter& p) {
  glow(p, QPointF(0, -40), 20, kGoldLight, 120);
  gold_stroke(p, lemniscate(QPointF(0, -40), 17, 6), 3.2);

  const QPointF face(0, 12);
  QPainterPath mane(polar(face, 29, 0));
  for (int i = 0; i < 16; ++i)
    mane.quadTo(polar(face, 42, i * 22.5 + 11.25), polar(face, 29, (i + 1) * 22.5));
  QRadialGradient mane_fill(face, 40);
  mane_fill.setColorAt(0.4, kGold);
  mane_fill.setColorAt(1.0, kFlame);
  fill(p, mane, mane_fill);
  fill(p, circle(face + QPointF(-15, -15), 6), gold_fill(), outline(1.0));
  fill(p, circle(face + QPointF(15, -15), 6), gold_fill(), outline(1.0));
  fill(p, circle(face, 21),
       three_stop(face - QPointF(21, 21), face + QPointF(21, 21), kGoldLight, kGoldLight, kGold));
  fill(p, ellipse(face + QPointF(0, 9), 10, 7), QBrush(kParchmentLight), outline(0.8));
  fill(p, polygon({face + QPointF(-4.5, 4), face + QPointF(4.5, 4), face + QPointF(0, 9)}),
       QBrush(kWoodDark), outline(0.6));
  QPainterPath mouth(face + QPointF(0, 9));
  mouth.lineTo(face + QPointF(0, 12));
  mouth.quadTo(face + QPointF(-3, 15), face + QPointF(-6, 12.5));
  mouth.moveTo(face + QPointF(0, 12));
  mouth.quadTo(face + QPointF(3, 15), face + QPointF(6, 12.5));
  stroke(p, mouth, kInk, 1.0);
  fill(p, ellipse(face + QPointF(-7.5, -3), 2.6, 2.0), QBrush(kInk), Qt::NoPen);
  fill(p, ellipse(face + QPointF(7.5, -3), 2.6, 2.0), QBrush(kInk), Qt::NoPen);
}

void hermit(QPainter& p) {
  inked_stroke(p, line(QPointF(26, -44), QPointF(26, 48)), kWoodLight, 4.0);
  QPainterPath arm(QPointF(26, -34));
  arm.lineTo(4, -34);
  arm.lineTo(4, -26);
  inked_stroke(p, arm, kGold, 1.6);

  const QPointF light(4, -2);
  glow(p, light, 40, kGoldLight, 190);
  fill(p, polygon({{-9, -15}, {17, -15}, {4, -26}}), gold_fill());
  QColor glass = kGoldLight;
  glass.setAlpha(210);
  fill(p, rect(QRectF(-7, -15, 22, 28)), QBrush(glass), pen(kGold, 1.4));
  fill(p, star(light, 8, 4.6, 6), QBrush(Qt::white), pen(kGold, 0.8));
  QPainterPath bars = line(QPointF(-7, -15), QPointF(-7, 13));
  bars.addPath(line(QPointF(15, -15), QPointF(15, 13)));
  stroke(p, bars, kGoldDark, 2.0);
  fill(p, polygon({{-9, 13}, {17, 13}, {11, 19}, {-3, 19}}), gold_fill());
}

void wheel(QPainter& p) {
  const QPointF c(0, 0);
  glow(p, c, 50, kGoldLight, 70);
  QPainterPath spokes;
  for (int i = 0; i < 8; ++i) {
    spokes.moveTo(polar(c, 8, i * 45.0 + 22.5));
    spokes.lineTo(polar(c, 34, i * 45.0 + 22.5));
  }
  gold_stroke(p, spokes, 3.0);
  fill(p, circle(c, 42).subtracted(circle(c, 33)), gold_fill(QRectF(-42, -42, 84, 84)));
  fill(p, circle(c, 21).subtracted(circle(c, 17)), gold_fill(QRectF(-21, -21, 42, 42)),
       outline(0.9));
  for (int i = 0; i < 8; ++i) {
    const QPointF at = polar(c, 37.5, i * 45.0);
    if (i % 2 == 0)
      fill(p, star(at, 3.6, 1.5, 4, i * 45.0), QBrush(kNavy), Qt::NoPen);
    else
      fill(p, circle(at, 2.2), QBrush(kNavy), Qt::NoPen);
  }
  fill(p, circle(c, 8), gold_fill(QRectF(-8, -8, 16, 16)));
  fill(p, circle(c, 3), QBrush(kRuby), outline(0.7));
}

void justice(QPainter& p) {
  draw_at(p, QPointF(0, 4), 0.92, 0, draw_sword);
  const QPointF pivot(0, -26);
  for (const int side : {-1, 1}) {
    const qreal x = 35 * side;
    QPainterPath chains = line(QPointF(x, -24), QPointF(x - 11, 6));
    chains.addPath(line(QPointF(x, -24), QPointF(x + 11, 6)));
    stroke(p, chains, kGoldLight, 1.0);
    QPainterPath pan(QPointF(x - 13, 6));
    pan.quadTo(x, 22, x + 13, 6);
    pan.closeSubpath();
    fill(p, pan, gold_fill(QRectF(x - 13, 4, 26, 16)));
  }
  fill(p, rounded(QRectF(-38, -28, 76, 4.5), 2), gold_fill(QRectF(-38, -30, 76, 8)));
  fill(p, circle(pivot, 4.2), gold_fill(), outline(0.9));
}

void hanged_man(QPainter& p) {
  QPainterPath frame = rect(QRectF(-34, -47, 68, 6));
  frame.addRect(QRectF(-34, -47, 6, 95));
  frame.addRect(QRectF(28, -47, 6, 95));
  fill(p, frame.simplified(), across(QRectF(-34, 0, 68, 1), kWoodDark, kWoodLight));
  for (const QPointF l : {QPointF(-34, -20), QPointF(34, -6), QPointF(-34, 18), QPointF(34, 26)}) {
    p.save();
    p.translate(l);
    p.rotate(l.x() < 0 ? 200 : -20);
    fill(p, ellipse(QPointF(5, 0), 5, 2.2), QBrush(kGreen), outline(0.6));
    p.restore();
  }
  stroke(p, line(QPointF(0, -41), QPointF(0, -32)), kParchment, 1.5);

  // Hung by one foot, the other leg crossed behind the knee.
  QPainterPath legs = line(QPointF(0, -32), QPointF(0, -4));
  QPainterPath bent(QPointF(1, -6));
  bent.lineTo(11, -16);
  bent.lineTo(1, -24);
  legs.addPath(bent);
  inked_stroke(p, legs, kRubyLight, 4.0);
  // Arms folded behind the back show only as the elbows.
  QPainterPath arms(QPointF(-6, 0));
  arms.lineTo(-11, 9);
  arms.lineTo(-5, 15);
  arms.moveTo(6, 0);
  arms.lineTo(11, 9);
  arms.lineTo(5, 15);
  inked_stroke(p, arms, kParchmentLight, 3.2);
  fill(p, polygon({{-5, -6}, {5, -6}, {8.5, 18}, {-8.5, 18}}),
       three_stop(QPointF(-8, 0), QPointF(8, 0), kTealDark, kTeal, kTealDark), pen(kGold, 1.0));
  const QPointF head(0, 25);
  glow(p, head, 18, kGoldLight, 200);
  stroke(p, circle(head, 10), kGold, 1.6);
  fill(p, circle(head, 6), QBrush(kParchmentLight), outline(1.0));
}

void death(QPainter& p) {
  const QPointF sun(24, 40);
  glow(p, sun, 26, kFlame, 150);
  p.save();
  p.setClipRect(QRectF(-50, -50, 100, 90));
  fill(p, circle(sun, 11),
       three_stop(sun - QPointF(11, 11), sun + QPointF(11, 11), kGoldLight, kFlame, kRuby));
  p.restore();
  stroke(p, line(QPointF(-48, 40), QPointF(48, 40)), kSilver, 1.0);

  QPainterPath handle(QPointF(-26, 46));
  handle.quadTo(-12, 0, 6, -40);
  inked_stroke(p, handle, kWoodLight, 4.0);
  inked_stroke(p, line(QPointF(-16, 4), QPointF(-8, 8)), kWoodLight, 3.0);
  QPainterPath blade(QPointF(7, -40));
  blade.cubicTo(-6, -55, -32, -52, -46, -30);
  blade.cubicTo(-30, -41, -12, -43, 4, -31);
  blade.closeSubpath();
  fill(p, blade,
       three_stop(QPointF(-46, -52), QPointF(6, -30), kSilverLight, kSilver, kSilverDark));
  inked_stroke(p, line(QPointF(22, 28), QPointF(26, 4)), kGreen, 1.5);
  rose(p, QPointF(26, 0), 10);
}

void temperance(QPainter& p) {
  QPainterPath sign = rect(QRectF(-9, -46, 18, 18));
  sign.addPath(polygon({{0, -44}, {7.5, -30}, {-7.5, -30}}));
  glow(p, QPointF(0, -37), 18, kGoldLight, 120);
  stroke(p, sign, kGoldLight, 1.6);

  QTransform left;
  left.translate(-24, -6);
  left.rotate(30);
  left.scale(0.46, 0.46);
  QTransform right;
  right.translate(22, 26);
  right.rotate(-6);
  right.scale(0.46, 0.46);
  const QPointF from = left.map(QPointF(23, -37));
  const QPointF to = right.map(QPointF(-4, -36));
  QPainterPath stream(from);
  stream.cubicTo(from + QPointF(14, -10), to + QPointF(-6, -28), to);
  stroke(p, stream, kTealDark, 4.0);
  stroke(p, stream, kTeal, 2.6);
  stroke(p, stream, kSilverLight, 0.9);
  for (const QTransform& t : {left, right}) {
    p.save();
    p.setTransform(t, true);
    draw_cup(p);
    p.restore();
  }
}

void devil(QPainter& p) {
  const QPointF c(0, -4);
  glow(p, c, 44, kRuby, 150);
  auto horn = [&p](int side) {
    QPainterPath h(QPointF(12 * side, -31));
    h.cubicTo(QPointF(22 * side, -42), QPointF(30 * side, -48), QPointF(40 * side, -46));
    h.cubicTo(QPointF(32 * side, -40), QPointF(26 * side, -32), QPointF(22 * side, -24));
    h.closeSubpath();
    fill(p, h,
         three_stop(QPointF(12 * side, -24), QPointF(40 * side, -46), kParchment, kParchmentLight,
                    kSilver));
  };
  horn(-1);
  horn(1);
  fill(p, circle(c, 31).subtracted(circle(c, 27.5)), gold_fill(QRectF(-31, -35, 62, 62)),
       outline(0.9));
  stroke(p, pentagram(c, 27, 90), kInk, 4.6);
  stroke(p, pentagram(c, 27, 90), kRubyLight, 2.8);
  for (int i = 0; i < 4; ++i) {
    const QPointF at(-18 + i * 12, 40);
    const bool upright = i % 2 == 1;
    inked_stroke(p, ellipse(at, upright ? 3.6 : 7, upright ? 6 : 3.6), kSilver, 1.8);
  }
}

void tower(QPainter& p) {
  fill(p, polygon({{-34, 50}, {-22, 40}, {-10, 42}, {4, 36}, {22, 40}, {34, 50}}),
       QBrush(kNavyLight), outline(1.0));
  QPainterPath body(QPointF(-16, 42));
  body.lineTo(-12, -24);
  body.lineTo(-8, -29);
  body.lineTo(-3, -23);
  body.lineTo(2, -30);
  body.lineTo(7, -24);
  body.lineTo(12, -28);
  body.lineTo(16, 42);
  body.closeSubpath();
  fill(p, body, across(QRectF(-16, 0, 32, 1), kSilverDark, kParchment));
  p.save();
  p.setClipPath(body);
  QPainterPath courses;
  for (int i = 0; i < 9; ++i) {
    const qreal y = -18 + i * 7.5;
    courses.addPath(line(QPointF(-20, y), QPointF(20, y)));
    const qreal x = (i % 2 == 0) ? -5 : 4;
    courses.addPath(line(QPointF(x, y), QPointF(x, y + 7.5)));
  }
  stroke(p, courses, kSilverDark, 0.7);
  p.restore();
  auto window = [&p](const QRectF& r) {
    QPainterPath w(QPointF(r.left(), r.bottom()));
    w.lineTo(r.left(), r.top() + r.width() / 2);
    w.arcTo(QRectF(r.left(), r.top(), r.width(), r.width()), 180, -180);
    w.lineTo(r.right(), r.bottom());
    w.closeSubpath();
    fill(p, w, three_stop(r.bottomLeft(), r.topLeft(), kFlame, kRuby, kNavyDeep), outline(0.9));
  };
  window(QRectF(-4, -14, 8, 12));
  window(QRectF(-9, 8, 6, 10));
  window(QRectF(3, 8, 6, 10));
  window(QRectF(-4.5, 30, 9, 12));

  p.save();
  p.translate(17, -38);
  p.rotate(32);
  p.scale(0.3, 0.3);
  draw_queen_crown(p);
  p.restore();

  glow(p, QPointF(-20, -38), 26, kGoldLight, 160);
  fill(p,
       polygon({{-48, -50}, {-26, -40}, {-31, -37}, {-7, -27}, {-22, -33}, {-17, -36}, {-38, -50}}),
       QBrush(kGoldLight), pen(kGold, 0.8));
  for (const QPointF d :
       {QPointF(-26, -6), QPointF(28, -12), QPointF(-30, 18), QPointF(24, 12), QPointF(-22, 30)})
    fill(p, drop(d, 2.2), QBrush(kFlame), outline(0.5));
}

void star_card(QPainter& p) {
  const QPointF c(0, -12);
  glow(p, c, 46, kGoldLight, 150);
  fill(p, star(c, 28, 9, 8), gold_fill(QRectF(-28, -40, 56, 56)));
  fill(p, star(c, 16, 6, 8, -90 + 22.5), QBrush(kGoldLight), outline(0.8));
  const QPointF small[] = {{-38, -38}, {38, -38}, {-44, -10}, {44, -10},
                           {-32, 16},  {32, 16},  {0, 26}};
  for (const QPointF s : small) {
    glow(p, s, 9, kSilverLight, 140);
    fill(p, star(s, 5.5, 2, 8), QBrush(kSilverLight), outline(0.5));
  }
  for (const qreal y : {36.0, 44.0}) {
    QPainterPath wave(QPointF(-44, y));
    for (int i = 0; i < 4; ++i) {
      const qreal x = -44 + i * 22;
      wave.cubicTo(x + 6, y - 5, x + 16, y + 5, x + 22, y);
    }
    stroke(p, wave, kTeal, 2.4);
  }
}

void moon(QPainter& p) {
  const QPointF c(0, -24);
  glow(p, c, 40, kSilverLight, 140);
  QColor disc = kNavyLight;
  disc.setAlpha(200);
  fill(p, circle(c, 22), QBrush(disc), pen(kSilver, 0.8));
  fill(p, circle(c, 22).subtracted(circle(c + QPointF(9, -4), 19)),
       three_stop(c - QPointF(22, 22), c + QPointF(22, 22), Qt::white, kSilverLight, kGoldLight),
       outline(0.9));
  for (const QPointF d :
       {QPointF(-14, 6), QPointF(0, 9), QPointF(14, 6), QPointF(-7, 16), QPointF(7, 16)})
    fill(p, drop(d, 2.0), gold_fill(), outline(0.5));
  QColor road = kParchment;
  road.setAlpha(170);
  QPainterPath path(QPointF(-7, 50));
  path.cubicTo(10, 42, -10, 34, 0, 24);
  path.lineTo(2, 24);
  path.cubicTo(-6, 34, 16, 42, 7, 50);
  path.closeSubpath();
  fill(p, path, QBrush(road), Qt::NoPen);
  for (const int side : {-1, 1}) {
    const qreal x = 36 * side;
    fill(p, rect(QRectF(x - 6, 16, 12, 32)), across(QRectF(x - 6, 0, 12, 1), kSilverDark, kSilver));
    fill(p, polygon({{x - 8, 16}, {x, 5}, {x + 8, 16}}), QBrush(kSilverDark));
    fill(p, rect(QRectF(x - 2, 22, 4, 6)), QBrush(kGoldLight), outline(0.6));
  }
}

void sun(QPainter& p) {
  const QPointF c(0, -2);
  glow(p, c, 52, kGoldLight, 200);
  for (int i = 0; i < 16; ++i) {
    const qreal a = i * 22.5 - 90;
    if (i % 2 == 0) {
      fill(p, polygon({polar(c, 26, a - 7), polar(c, 46, a), polar(c, 26, a + 7)}),
           three_stop(polar(c, 26, a), polar(c, 46, a), kGold, kGoldLight, kGoldLight),
           outline(0.8));
    } else {
      QPainterPath wavy(polar(c, 27, a));
      for (int k = 1; k <= 4; ++k) {
        const QPointF mid = polar(c, 27 + (k - 0.5) * 4, a + ((k % 2) != 0 ? 4 : -4));
        wavy.quadTo(mid, polar(c, 27 + k * 4, a));
      }
      inked_stroke(p, wavy, kGoldLight, 1.6);
    }
  }
  QRadialGradient disc(c - QPointF(6, 6), 30);
  disc.setColorAt(0.0, Qt::white);
  disc.setColorAt(0.3, kGoldLight);
  disc.setColorAt(0.8, kGold);
  disc.setColorAt(1.0, kFlame);
  fill(p, circle(c, 24), disc, outline(1.4));
  stroke(p, circle(c, 18), kGold, 1.0);
}

void judgement(QPainter& p) {
  const QPointF source(-36, -40);
  QPainterPath beams;
  for (int i = 0; i < 7; ++i) {
    beams.moveTo(source);
    beams.lineTo(polar(source, 90, 20 + i * 10.0));
  }
  QColor beam = kGoldLight;
  beam.setAlpha(80);
  stroke(p, beams, beam, 1.4);

  p.save();
  p.translate(-20, -26);
  p.rotate(36);
  QPainterPath banner = rect(QRectF(14, 2, 18, 20));
  fill(p, banner, QBrush(kParchmentLight), outline(0.9));
  QPainterPath cross = rect(QRectF(21.5, 2, 3, 20));
  cross.addRect(QRectF(14, 10.5, 18, 3));
  fill(p, cross.simplified(), QBrush(kRuby), Qt::NoPen);
  QPainterPath horn = rounded(QRectF(0, -2, 38, 4), 1.5);
  QPainterPath bell(QPointF(36, -2));
  bell.lineTo(48, -10);
  bell.quadTo(51, 0, 48, 10);
  bell.lineTo(36, 2);
  bell.closeSubpath();
  fill(p, horn.united(bell).united(ellipse(QPointF(0, 0), 2, 4)),
       gold_fill(QRectF(0, -10, 50, 20)));
  p.restore();

  QPainterPath cloud = circle(QPointF(-38, -38), 10);
  const struct {
    QPointF at;
    qreal r;
  } puffs[] = {{{-26, -42}, 12}, {{-14, -38}, 9}, {{-30, -30}, 9}, {{-44, -30}, 7}};
  for (const auto& puff : puffs) cloud = cloud.united(circle(puff.at, puff.r));
  fill(p, cloud, three_stop(QPointF(-40, -52), QPointF(-14, -24), Qt::white, kSilverLight, kSilver),
       outline(0.9));

  for (const QPointF at : {QPointF(-26, 34), QPointF(0, 30), QPointF(26, 34)}) {
    fill(p, rounded(QRectF(at.x() - 9, at.y() + 10, 18, 7), 1), QBrush(kWoodDark), outline(0.8));
    QPainterPath figure = line(at + QPointF(0, 2), at + QPointF(0, 12));
    figure.addPath(line(at + QPointF(0, 4), at + QPointF(-6, -4)));
    figure.addPath(line(at + QPointF(0, 4), at + QPointF(6, -4)));
    inked_stroke(p, figure, kParchmentLight, 2.2);
    fill(p, circle(at + QPointF(0, -1.5), 3.2), QBrush(kParchmentLight), outline(0.7));
  }
}

void world(QPainter& p) {
  const QPointF c(0, 0);
  glow(p, c, 50, kTeal, 110);
  for (const QPointF s : {QPointF(-42, -44), QPointF(42, -44), QPointF(-42, 44), QPointF(42, 44)})
    fill(p, star(s, 6, 1.8, 4), QBrush(kGoldLight), outline(0.5));
  stroke(p, ellipse(c, 30, 42), kGreenDark, 2.0);
  constexpr int kLeaves = 40;
  for (int i = 0; i < kLeaves; ++i) {
    const qreal t = 2 * std::numbers::pi * i / kLeaves;
    const QPointF at(30 * std::cos(t), 42 * std::sin(t));
    const qreal tangent = std::atan2(42 * std::cos(t), -30 * std::sin(t)) * 180 / std::numbers::pi;
    p.save();
    p.translate(at);
    p.rotate(tangent + (i % 2 == 0 ? 35 : -35));
    fill(p, ellipse(QPointF(3, 0), 5, 2.2),
         three_stop(QPointF(-2, -2), QPointF(8, 2), kGreen, kGreen, kGreenDark), outline(0.5));
    p.restore();
  }
  for (const qreal y : {-42.0, 42.0}) {
    fill(p, lemniscate(QPointF(0, y), 9, 4.5),
         three_stop(QPointF(-9, y), QPointF(9, y), kRuby, kRubyLight, kRuby), outline(0.7));
    fill(p, circle(QPointF(0, y), 2), QBrush(kRuby), outline(0.6));
  }
  const QPointF globe(0, 0);
  fill(p, circle(globe, 17),
       three_stop(QPointF(-17, -17), QPointF(17, 17), kTeal, kTealDark, kNavyDeep), outline(1.0));
  QPainterPath lines = ellipse(globe, 7, 17);
  lines.addEllipse(globe, 13, 17);
  lines.addPath(line(QPointF(0, -17), QPointF(0, 17)));
  lines.addPath(line(QPointF(-17, 0), QPointF(17, 0)));
  lines.addPath(line(QPointF(-14.5, -9), QPointF(14.5, -9)));
  lines.addPath(line(QPointF(-14.5, 9), QPointF(14.5, 9)));
  stroke(p, lines, kGoldLight, 0.7);
}

}  // namespace

void draw_suit_emblem(QPainter& p, Suit suit) {
  switch (suit) {
    case Suit::Wands:
      draw_wand(p);
      break;
    case Suit::Cups:
      draw_cup(p);
      break;
    case Suit::Swords:
      draw_sword(p);
      break;
    case Suit::Pentacles:
      draw_pentacle(p);
      break;
  }
}

void draw_court_mark(QPainter& p, int rank) {
  switch (rank) {
    case 11:
      draw_page_star(p);
      break;
    case 12:
      draw_helmet(p);
      break;
    case 13:
      draw_queen_crown(p);
      break;
    default:
      draw_king_crown(p);
      break;
  }
}

void draw_major_symbol(QPainter& p, int number) {
  using Draw = void (*)(QPainter&);
  static constexpr Draw kSymbols[] = {
      fool,     magician,  high_priestess, empress, emperor,    hierophant, lovers,     chariot,
      strength, hermit,    wheel,          justice, hanged_man, death,      temperance, devil,
      tower,    star_card, moon,           sun,     judgement,  world,
  };
  static_assert(std::size(kSymbols) == 22);
  if (number >= 0 && number < 22) kSymbols[number](p);
}

QPainterPath star(QPointF c, qreal outer, qreal inner, int points, qreal rotation) {
  QPainterPath path;
  for (int i = 0; i < points * 2; ++i) {
    const QPointF pt = polar(c, i % 2 == 0 ? outer : inner, rotation + i * 180.0 / points);
    if (i == 0)
      path.moveTo(pt);
    else
      path.lineTo(pt);
  }
  path.closeSubpath();
  return path;
}

}  // namespace sample_content
