#include "shell/ui/StaticLink.h"

#include <QApplication>
#include <QMouseEvent>

#include "adapters/qt/QtText.h"

namespace pw {

CStaticLink::CStaticLink(IUrlOpener& opener, const QString& target, QWidget* parent)
    : QLabel(parent), opener_(opener), target_(target) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  applyColor();
}

void CStaticLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  if (target_.isEmpty())
    target_ = text();
  if (target_.isEmpty())
    return;
  if (opener_.open(S(target_))) {
    color_ = kVisited;
    applyColor();
  } else {
    QApplication::beep();
    trace("*** WARNING: CStaticLink: unable to navigate link %s\n", S(target_).c_str());
  }
}

void CStaticLink::applyColor() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, color_);
  setPalette(palette);
}

}  // namespace pw
