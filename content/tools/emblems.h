// The pictures inside a card: suit emblems, court marks and a symbol for each
// of the major arcana. Every function draws centred on the painter's origin
// into a box 100 units on a side; the caller translates and scales.
#pragma once

class QPainter;

namespace sample_content {

enum class Suit { Wands, Cups, Swords, Pentacles };

void draw_suit_emblem(QPainter& p, Suit suit);

// rank: 11 Page, 12 Knight, 13 Queen, 14 King.
void draw_court_mark(QPainter& p, int rank);

// number: 0 (The Fool) .. 21 (The World).
void draw_major_symbol(QPainter& p, int number);

}  // namespace sample_content
