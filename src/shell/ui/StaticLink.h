#pragma once
// A text label that works as a hyperlink: underlined, blue until it has been opened once and red
// after, with a hand cursor; a click opens its target through the desktop.

#include <QColor>
#include <QLabel>

#include "base/Ports.h"
#include "shell/UrlOpener.h"

namespace pw {

class CStaticLink : public QLabel {
  Q_OBJECT

 public:
  static inline const QColor kUnvisited{0, 0, 220};
  static inline const QColor kVisited{200, 0, 0};

  // An empty target means the label's own text is opened.
  explicit CStaticLink(IUrlOpener& opener, const QString& target = {}, QWidget* parent = nullptr);

  QString target() const { return target_; }
  QColor linkColor() const { return color_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void applyColor();

  IUrlOpener& opener_;
  QString target_;
  QColor color_ = kUnvisited;
};

}  // namespace pw
