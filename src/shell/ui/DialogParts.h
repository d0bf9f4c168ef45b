#pragma once
// Pieces that the program's dialogs share: placement in dialog units of their font, the bold
// title, and the confirm and cancel buttons.

#include <QFontMetrics>
#include <QRect>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace pw {

// Dialog units to pixels: x * average character width / 4, y * character height / 8.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  int horizontal(int x) const { return x * avgWidth_ / 4; }
  int vertical(int y) const { return y * height_ / 8; }
  QRect operator()(int x, int y, int w, int h) const;

 private:
  int avgWidth_;
  int height_;
};

// The widget's own font with weight 700.
void makeBold(QWidget* widget);

// The confirming button (default) and the cancel button, wired to accept and reject.
QDialogButtonBox* confirmButtons(QDialog* dialog, const QString& confirm, const QString& cancel);

}  // namespace pw
