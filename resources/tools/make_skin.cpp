// make_skin: draws the window skin into a folder of PNG files.
//
//   make_skin [--qrc FILE] OUT-FOLDER
//
// Every picture is written at scale 1 (name.png) and drawn again at scale 2
// (name@2x.png). Buttons come twice more: name.png is colour-keyed (24-bit,
// see-through wherever it has the colour of its lower-left pixel, magenta)
// and name_alpha.png has a real alpha channel. The program icon is written
// at each of its sizes as app_icon_N.png. With --qrc the tool also writes a
// Qt resource file that lists the pictures under the prefix /skin.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QStringList>
#include <QSvgGenerator>
#include <QTextStream>
#include <cstdio>

#include "skin_art.h"

namespace {

using vaticor::skin::Kind;
using vaticor::skin::Picture;

constexpr int kScales[] = {1, 2};

QString FileName(const QString& name, int scale) {
  return scale == 1 ? name + ".png" : QStringLiteral("%1@%2x.png").arg(name).arg(scale);
}

QImage Render(const Picture& pic, int scale, bool opaque) {
  QImage img(pic.size * scale, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  img.fill(opaque ? Qt::black : Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, !opaque);
  p.scale(scale, scale);
  pic.draw(p, scale);
  return img;
}

QImage RenderGround(const Picture& pic, int scale) {
  QImage img(pic.size * scale, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  p.scale(scale, scale);
  pic.ground(p, scale);
  return img;
}

// Flattens a button onto the colour key: pixels at least half covered are
// blended with the ground the button lies on in the windows, the others
// become the key colour. The blend keeps antialiased edges from showing a
// rim of the key colour.
QImage ColourKeyed(const QImage& shape, const QImage& ground) {
  const QRgb key = vaticor::skin::kKey.rgb();
  const QImage src = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage out(src.size(), QImage::Format_RGB888);
  for (int y = 0; y < src.height(); ++y) {
    const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    const auto* g = reinterpret_cast<const QRgb*>(ground.constScanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      const int a = qAlpha(s[x]);
      QRgb c = key;
      if (a >= 128) {
        const int rest = 255 - a;
        c = qRgb(qRed(s[x]) + (qRed(g[x]) * rest + 127) / 255,
                 qGreen(s[x]) + (qGreen(g[x]) * rest + 127) / 255,
                 qBlue(s[x]) + (qBlue(g[x]) * rest + 127) / 255);
        if (c == key) c = qRgb(254, 0, 255);
      }
      out.setPixel(x, y, c);
    }
  }
  return out;
}

bool Save(const QImage& img, const QDir& dir, const QString& file, QStringList& written) {
  const QString path = dir.filePath(file);
  if (!img.save(path, "PNG")) {
    std::fprintf(stderr, "make_skin: cannot write %s\n", qPrintable(path));
    return false;
  }
  written << file;
  return true;
}

bool WriteQrc(const QString& qrc_path, const QDir& out, QStringList files) {
  const QDir qrc_dir = QFileInfo(qrc_path).absoluteDir();
  files.sort();
  QFile f(qrc_path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    std::fprintf(stderr, "make_skin: cannot write %s\n", qPrintable(qrc_path));
    return false;
  }
  QTextStream ts(&f);
  ts << "<!DOCTYPE RCC>\n<!-- Written by make_skin; run it again rather than editing by hand. -->\n"
     << "<RCC version=\"1.0\">\n  <qresource prefix=\"/skin\">\n";
  for (const QString& file : files)
    ts << "    <file alias=\"" << file << "\">" << qrc_dir.relativeFilePath(out.filePath(file))
       << "</file>\n";
  ts << "  </qresource>\n</RCC>\n";
  return ts.status() == QTextStream::Ok;
}

int Usage() {
  std::fprintf(stderr, "usage: make_skin [--qrc FILE] OUT-FOLDER\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QString qrc;
  if (args.size() >= 2 && args.front() == "--qrc") {
    qrc = args.at(1);
    args = args.mid(2);
  }
  if (args.size() != 1 || args.front().startsWith('-')) return Usage();

  QDir out(args.front());
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "make_skin: cannot create %s\n", qPrintable(out.path()));
    return 1;
  }
  // Start from an empty set of pictures so that renamed ones do not linger.
  for (const QString& old : out.entryList({"*.png"}, QDir::Files)) out.remove(old);

  QStringList written;
  bool ok = true;
  for (const Picture& pic : vaticor::skin::SkinPictures()) {
    for (int scale : kScales) {
      if (pic.kind == Kind::Texture) {
        ok &= Save(Render(pic, scale, true).convertToFormat(QImage::Format_RGB888), out,
                   FileName(pic.name, scale), written);
        continue;
      }
      const QImage shape = Render(pic, scale, false);
      if (qAlpha(shape.pixel(0, shape.height() - 1)) >= 128) {
        std::fprintf(stderr,
                     "make_skin: %s covers its lower-left pixel, which must stay see-through\n",
                     qPrintable(FileName(pic.name, scale)));
        ok = false;
      }
      ok &= Save(shape.convertToFormat(QImage::Format_ARGB32), out,
                 FileName(pic.name + "_alpha", scale), written);
      ok &= Save(ColourKeyed(shape, RenderGround(pic, scale)), out, FileName(pic.name, scale),
                 written);
    }
  }
  for (int pixels : vaticor::skin::kAppIconSizes)
    ok &= Save(vaticor::skin::AppIcon(pixels).convertToFormat(QImage::Format_ARGB32), out,
               QStringLiteral("app_icon_%1.png").arg(pixels), written);

  // The scalable icon for desktops' icon themes, with the largest size's
  // detail; not one of the skin's pictures.
  QSvgGenerator svg;
  svg.setFileName(out.filePath("app_icon.svg"));
  svg.setSize({256, 256});
  svg.setViewBox(QRect(0, 0, 256, 256));
  svg.setTitle("Vaticor");
  {
    QPainter p(&svg);
    vaticor::skin::DrawAppIcon(p, 256);
    ok &= p.end();
  }

  if (ok && !qrc.isEmpty()) ok = WriteQrc(qrc, out, written);
  std::printf("make_skin: %lld pictures in %s\n", static_cast<long long>(written.size()),
              qPrintable(QDir::toNativeSeparators(out.absolutePath())));
  return ok ? 0 : 1;
}
