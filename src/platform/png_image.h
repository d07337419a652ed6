#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vaticor {

// PNG pictures of our own (the skin, compiled into the program), decoded
// with libpng directly.
//
// Why not QImage: Qt's image reader asks every image-format plugin installed
// on the system whether it reads the format before it uses its own PNG
// reader, and so loads each plugin library the first time any picture is
// read (three on a bare system, a dozen with the extra formats installed),
// which the first skin picture of the main window waited for.
//
// DecodePng gives the picture in Format_ARGB32, or a null QImage for bytes
// that are no PNG, a broken one, or one larger than 16384 pixels a side
// (the skin's are far smaller). ReadPngResource reads a file or a Qt
// resource (":/skin/close.png") first; a missing one gives a null QImage.
// Where the program is built without libpng, both decode through Qt.
QImage DecodePng(const QByteArray& bytes);
QImage ReadPngResource(const QString& path);

}  // namespace vaticor
