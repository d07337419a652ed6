// Paints one card face: frame, numeral plaque, central picture, name band.
#pragma once

#include <QImage>
#include <QString>

namespace sample_content {

inline constexpr int kCardWidth = 400;
inline constexpr int kCardHeight = 680;

// "0", "I" .. "XXI" for the major arcana; "2" .. "10" for the suit pips;
// the first word of the name, in capitals, for aces and court cards.
QString card_numeral(int number, const QString& name);

// number: 0..77 in deck order; name: the card's name in the deck's language;
// family: the font family for the lettering.
QImage paint_card(int number, const QString& name, const QString& family);

}  // namespace sample_content
