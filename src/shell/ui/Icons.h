#pragma once
// The program's icons, rendered crisp from their SVG pictures at the sizes the desktop asks for.

#include <QIcon>
#include <QPixmap>

#include "shell/SystemTray.h"

namespace pw {

// The icon of an id, drawn at whatever size and pixel ratio is asked for; an id without a picture
// gives a fully transparent icon (the empty animation frame).
QIcon IconFor(IconId id);
QPixmap IconPixmap(IconId id, int size);

}  // namespace pw
