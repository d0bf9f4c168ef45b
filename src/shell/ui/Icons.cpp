#include "shell/ui/Icons.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <optional>

namespace pw {

namespace {

// Each picture holds one drawing per size, on that size's own pixel grid.
constexpr int kDrawnSizes[] = {32, 22, 16};

// The printer is drawn once with the green rim; the other levels change only the rim's colour.
constexpr char kGreenRim[] = "#2bb24c";
constexpr char kYellowRim[] = "#f5d400";
constexpr char kRedRim[] = "#e02020";

struct Picture {
  IconId file;                // the picture's file, :/icons/<file>.svg
  const char* rim = nullptr;  // the printer's rim colour, when not as drawn
};

std::optional<Picture> PictureOf(IconId id) {
  switch (id) {
    case 128:
    case 134:
    case 137:
      return Picture{128};
    case 139:
    case 141:
      return Picture{128, kYellowRim};
    case 143:
    case 145:
      return Picture{128, kRedRim};
    case 138:
    case 142:
    case 146:
      return Picture{138};
    case 136:
    case 140:
    case 144:
      return Picture{136};
    default:
      return std::nullopt;
  }
}

// The drawing that gives the sharpest result at a size: one that the size is a whole multiple of,
// otherwise the largest that is not larger, otherwise the smallest.
int DrawingFor(int size) {
  for (const int drawn : kDrawnSizes)
    if (size % drawn == 0)
      return drawn;
  for (const int drawn : kDrawnSizes)
    if (drawn <= size)
      return drawn;
  return kDrawnSizes[std::size(kDrawnSizes) - 1];
}

}  // namespace

QPixmap IconPixmap(IconId id, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  const auto picture = PictureOf(id);
  if (!picture)
    return pixmap;
  QFile file(QStringLiteral(":/icons/%1.svg").arg(picture->file));
  if (!file.open(QIODevice::ReadOnly))
    return pixmap;
  QByteArray svg = file.readAll();
  if (picture->rim)
    svg.replace(kGreenRim, picture->rim);
  QSvgRenderer renderer(svg);
  QPainter painter(&pixmap);
  renderer.render(&painter, QStringLiteral("px%1").arg(DrawingFor(size)), QRectF(0, 0, size, size));
  return pixmap;
}

QIcon IconFor(IconId id) {
  QIcon icon;
  for (const int size : {16, 22, 32})
    icon.addPixmap(IconPixmap(id, size));
  return icon;
}

}  // namespace pw
