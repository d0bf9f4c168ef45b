#pragma once
// The program's bitmaps: pictures drawn as SVG, embedded under :/bitmaps/ and rendered at their
// natural size for the screen's pixel ratio.

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

namespace pw {

// The bitmap of a resource name ("NEWU", or a bitmap id's digits); a null pixmap when there is
// none.
QPixmap loadBitmap(const QString& name, qreal pixelRatio = 1.0);

// A small button drawn entirely by two bitmaps named after its caption: caption + "U" while
// released, caption + "D" while pressed. It takes the size of its bitmap.
class BitmapButton : public QAbstractButton {
 public:
  BitmapButton(const QString& caption, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap released_, pressed_;
};

}  // namespace pw
