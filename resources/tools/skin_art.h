// Artwork of the window skin: the frame textures, the image buttons and the
// program icon, each drawn with QPainter at any scale.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QPainter;

namespace vaticor::skin {

// The palette is shared with the sample decks so that the frame and the
// cards look like one product.
inline const QColor kNavyDeep{0x0b, 0x13, 0x2e};
inline const QColor kNavy{0x13, 0x20, 0x48};
inline const QColor kNavyMid{0x1c, 0x31, 0x68};
inline const QColor kNavyLight{0x2a, 0x45, 0x86};
inline const QColor kSteel{0x46, 0x6a, 0xab};
inline const QColor kSteelLight{0x7c, 0x9f, 0xd6};
inline const QColor kSky{0xa6, 0xca, 0xf0};
inline const QColor kSkyLight{0xd4, 0xe6, 0xf9};
inline const QColor kGoldLight{0xf8, 0xe6, 0xa8};
inline const QColor kGold{0xd6, 0xab, 0x45};
inline const QColor kGoldDark{0x8c, 0x6a, 0x22};
inline const QColor kParchmentLight{0xf7, 0xee, 0xd6};
inline const QColor kParchment{0xe6, 0xd3, 0xa3};
inline const QColor kSilverLight{0xf4, 0xf7, 0xfa};
inline const QColor kSilver{0xb8, 0xc3, 0xcf};
inline const QColor kSilverDark{0x6f, 0x7d, 0x90};

// Colour that marks see-through pixels in the colour-keyed buttons; it is
// also the colour of every such button's lower-left pixel.
inline const QColor kKey{0xff, 0x00, 0xff};

enum class Kind {
  Texture,  // opaque, stretched over a frame element
  Button,   // shape on a see-through ground
};

// One skin picture. `size` is the size at scale 1; `draw` paints it on an
// image of size * scale whose painter is already scaled, so it works in
// 1x units and may use 1 / scale for hairlines one device pixel thick.
struct Picture {
  QString name;
  QSize size;
  Kind kind;
  std::function<void(QPainter&, qreal scale)> draw;
  // For buttons: what the button is laid on in the windows, used to
  // blend the edge pixels of the colour-keyed variant. Drawn like `draw`.
  std::function<void(QPainter&, qreal scale)> ground;
};

std::vector<Picture> SkinPictures();

// The program icon drawn natively at `pixels` x `pixels`.
QImage AppIcon(int pixels);
// The same on `p` (a picture or an SVG drawing) in a square of `pixels`
// units, with the detail of that size.
void DrawAppIcon(QPainter& p, int pixels);
// The sizes desktops' icon themes ask for.
inline constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace vaticor::skin
