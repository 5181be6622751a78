// Draws the applet's two icons: 101, a pen tablet with its pen, and 102, a
// pen display with its pen. Written into a folder as 101.png and 102.png
// (48 pixels, what the Control Panel shows) and as the desktop's icon theme
// sizes of 101: hicolor/<n>x<n>/apps/tablet-properties.png.
//
//   kelvo-draw-icons OUTPUT_FOLDER

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

namespace {

// The pen comes from the upper right, its tip on the middle of the surface;
// drawn last, over it.
void DrawPen(QPainter& p) {
  p.save();
  p.translate(215, 58);
  p.rotate(45);
  p.setPen(QPen(QColor(30, 30, 34), 4));
  p.setBrush(QColor(226, 228, 232));
  p.drawRoundedRect(QRectF(-12, -20, 24, 120), 10, 10);  // barrel
  p.setBrush(QColor(70, 130, 200));
  p.drawRect(QRectF(-12, 20, 24, 14));  // side switch band
  QPainterPath tip;
  tip.moveTo(-12, 100);
  tip.lineTo(12, 100);
  tip.lineTo(0, 132);
  tip.closeSubpath();
  p.setBrush(QColor(60, 60, 66));
  p.drawPath(tip);
  p.restore();
}

void DrawTablet(QPainter& p) {
  p.setPen(QPen(QColor(22, 26, 32), 6));
  p.setBrush(QColor(52, 60, 72));
  p.drawRoundedRect(QRectF(14, 50, 228, 160), 22, 22);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(88, 112, 140));
  p.drawRoundedRect(QRectF(62, 66, 164, 128), 8, 8);  // active area
  p.setBrush(QColor(150, 160, 172));
  for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(38, 90 + i * 40), 9, 9);  // keys
  DrawPen(p);
}

void DrawPenDisplay(QPainter& p) {
  p.setPen(QPen(QColor(22, 26, 32), 6));
  p.setBrush(QColor(40, 44, 52));
  QPainterPath stand;
  stand.moveTo(96, 200);
  stand.lineTo(160, 200);
  stand.lineTo(184, 242);
  stand.lineTo(72, 242);
  stand.closeSubpath();
  p.drawPath(stand);
  p.drawRoundedRect(QRectF(10, 28, 236, 178), 14, 14);
  QLinearGradient screen(QPointF(0, 44), QPointF(0, 190));
  screen.setColorAt(0, QColor(120, 186, 236));
  screen.setColorAt(1, QColor(54, 112, 176));
  p.setPen(Qt::NoPen);
  p.setBrush(screen);
  p.drawRect(QRectF(28, 44, 200, 146));
  p.setPen(QPen(QColor(255, 255, 255, 200), 7, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath stroke;  // what the pen has drawn on the screen
  stroke.moveTo(50, 150);
  stroke.cubicTo(80, 70, 110, 170, 140, 100);
  p.drawPath(stroke);
  DrawPen(p);
}

QImage Draw(void (*draw)(QPainter&), int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 256.0, size / 256.0);
  draw(painter);
  return image;
}

bool Save(const QImage& image, const QString& path) {
  QDir().mkpath(path.section('/', 0, -2));
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "kelvo-draw-icons: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kelvo-draw-icons OUTPUT_FOLDER\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  bool ok = Save(Draw(DrawTablet, 48), out + "/101.png") &&
            Save(Draw(DrawPenDisplay, 48), out + "/102.png");
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QString("%1/hicolor/%2x%2/apps/").arg(out).arg(size);
    ok = ok && Save(Draw(DrawTablet, size), folder + "tablet-properties.png");
  }
  return ok ? 0 : 1;
}
