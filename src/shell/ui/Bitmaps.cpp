#include "shell/ui/Bitmaps.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>

namespace pw {

QPixmap loadBitmap(const QString& name, qreal pixelRatio) {
  QSvgRenderer renderer(QStringLiteral(":/bitmaps/%1.svg").arg(name));
  if (!renderer.isValid())
    return {};
  const QSize size = renderer.defaultSize();
  QPixmap pixmap(size * pixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  painter.end();
  pixmap.setDevicePixelRatio(pixelRatio);
  return pixmap;
}

BitmapButton::BitmapButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
  const qreal ratio = devicePixelRatioF();
  released_ = loadBitmap(caption + QLatin1Char('U'), ratio);
  pressed_ = loadBitmap(caption + QLatin1Char('D'), ratio);
  setAccessibleName(caption);
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(sizeHint());
}

QSize BitmapButton::sizeHint() const {
  return released_.isNull() ? QSize(24, 22) : released_.deviceIndependentSize().toSize();
}

void BitmapButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, isDown() ? pressed_ : released_);
  if (hasFocus()) {
    // The pictures carry no focus state, so keyboard focus is shown the usual way.
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

}  // namespace pw
