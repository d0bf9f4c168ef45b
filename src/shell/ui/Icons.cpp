#include "shell/ui/Icons.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace pw {

namespace {

// Each picture holds one drawing per size, on that size's own pixel grid.
constexpr int kDrawnSizes[] = {32, 22, 16};

// The printer is drawn once with the green rim; the other levels change only the rim's colour.
constexpr char kGreenRim[] = "#2bb24c";
constexpr char kYellowRim[] = "#f5d400";
constexpr char kRedRim[] = "#e02020";

const char* rimColour(IconRim rim) {
  switch (rim) {
    case IconRim::Yellow:
      return kYellowRim;
    case IconRim::Red:
      return kRedRim;
    case IconRim::Green:
      break;
  }
  return kGreenRim;
}

// The drawing that gives the sharpest result at a size: one that the size is a whole multiple of,
// otherwise the largest that is not larger, otherwise the smallest.
int drawingFor(int size) {
  for (const int drawn : kDrawnSizes)
    if (size % drawn == 0)
      return drawn;
  for (const int drawn : kDrawnSizes)
    if (drawn <= size)
      return drawn;
  return kDrawnSizes[std::size(kDrawnSizes) - 1];
}

}  // namespace

QPixmap iconPixmap(IconId id, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  const auto picture = pictureOf(id);
  if (!picture)
    return pixmap;
  QFile file(QStringLiteral(":/icons/%1.svg").arg(picture->file));
  if (!file.open(QIODevice::ReadOnly))
    return pixmap;
  QByteArray svg = file.readAll();
  if (picture->rim != IconRim::Green)
    svg.replace(kGreenRim, rimColour(picture->rim));
  QSvgRenderer renderer(svg);
  QPainter painter(&pixmap);
  renderer.render(&painter, QStringLiteral("px%1").arg(drawingFor(size)), QRectF(0, 0, size, size));
  return pixmap;
}

namespace {

// Draws the picture afresh for every size and pixel ratio that is asked for, so that a 24 or
// 48 pixel panel and a HiDPI screen get sharp icons instead of scaled 16/22/32 pixel ones.
class PictureEngine : public QIconEngine {
 public:
  explicit PictureEngine(IconId id) : id_(id) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // QIcon hands over the size in device pixels already.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
    const int side = qMax(1, qMin(size.width(), size.height()));
    QPixmap pixmap = iconPixmap(id_, side);
    if (mode == QIcon::Disabled)
      pixmap = QIcon(pixmap).pixmap(side, QIcon::Disabled);
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = qMin(size.width(), size.height());
    return {side, side};
  }

  // The sizes a desktop that asks for a list (the window manager's icon property) gets.
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
  }

  QString key() const override { return QStringLiteral("pagewarden-picture"); }
  QIconEngine* clone() const override { return new PictureEngine(id_); }

 private:
  IconId id_;
};

}  // namespace

QIcon iconFor(IconId id) {
  return QIcon(new PictureEngine(id));
}

IconView::IconView(IconId id, int size, QWidget* parent) : QWidget(parent), id_(id), size_(size) {}

void IconView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Drawn from the picture only when the window moves to a screen of another pixel ratio.
  const qreal ratio = painter.device()->devicePixelRatioF();
  if (drawn_.isNull() || drawn_.devicePixelRatio() != ratio) {
    drawn_ = iconPixmap(id_, qRound(size_ * ratio));
    drawn_.setDevicePixelRatio(ratio);
  }
  painter.drawPixmap(0, 0, drawn_);
}

}  // namespace pw
