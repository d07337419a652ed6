// The pictures inside a card: suit emblems, court marks and a symbol for each
// of the major arcana. Every function draws centred on the painter's origin
// into a box 100 units on a side; the caller translates and scales.
#pragma once

#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace sample_content {

// A star of `points` points around `c`, tips at `outer`, notches at
// `inner`, the first tip at `rotation` degrees (-90: straight up).
QPainterPath star(QPointF c, qreal outer, qreal inner, int points, qreal rotation = -90);

enum class Suit { Wands, Cups, Swords, Pentacles };

void draw_suit_emblem(QPainter& p, Suit suit);

// rank: 11 Page, 12 Knight, 13 Queen, 14 King.
void draw_court_mark(QPainter& p, int rank);

// number: 0 (The Fool) .. 21 (The World).
void draw_major_symbol(QPainter& p, int number);

}  // namespace sample_content
