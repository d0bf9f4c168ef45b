#pragma once
// The program's icons, rendered crisp from their SVG pictures at the sizes the desktop asks for.

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "shell/SystemTray.h"

namespace pw {

// The icon of an id, drawn at whatever size and pixel ratio is asked for; an id without a picture
// gives a fully transparent icon (the empty animation frame).
QIcon iconFor(IconId id);
QPixmap iconPixmap(IconId id, int size);

// An icon of a fixed size in a window, drawn for the pixel ratio of the screen the window is on
// (a pixmap in a label would be scaled up, blurred, on a HiDPI screen).
class IconView : public QWidget {
 public:
  IconView(IconId id, int size, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  IconId id_;
  int size_;
  QPixmap drawn_;
};

}  // namespace pw
