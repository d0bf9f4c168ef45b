#include "app/ui/InkLevelsGroup.h"

#include <QLabel>
#include <QPainter>

#include "adapters/qt/QtText.h"
#include "shell/ui/DialogParts.h"

namespace pw {
namespace {

// A framed bar filled to the level in the marker's colour; empty when the level is unknown.
class InkBar : public QWidget {
 public:
  InkBar(QWidget* parent, const InkRow& row) : QWidget(parent), row_(row) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, Qt::white);
    if (row_.percent) {
      QRect fill = frame.adjusted(1, 1, 0, 0);
      fill.setWidth(fill.width() * *row_.percent / 100);
      painter.fillRect(fill, QColor(row_.colour.red, row_.colour.green, row_.colour.blue));
    }
    painter.setPen(row_.low ? Qt::red : Qt::darkGray);
    painter.drawRect(frame);
  }

 private:
  InkRow row_;
};

}  // namespace

InkLevelsGroup::InkLevelsGroup(QWidget* parent) : QGroupBox(loadQStr(ids::kInkGroup), parent) {
  setObjectName(QStringLiteral("inkLevels"));
  hide();
}

void InkLevelsGroup::setLevels(const std::vector<InkRow>& rows, const std::string& comparison,
                               int width) {
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    delete child;
  setVisible(!rows.empty());
  if (rows.empty())
    return;
  const DialogUnits du(font());
  int y = 12;
  const int levelWidth = 64, nameWidth = 56;
  const int barWidth = width * 4 / du.horizontal(4) - nameWidth - levelWidth - 24;
  for (std::size_t i = 0; i < rows.size(); ++i, y += 11) {
    const InkRow& row = rows[i];
    auto* name = new QLabel(Q(row.name), this);
    name->setObjectName(QStringLiteral("inkName%1").arg(i));
    name->setTextFormat(Qt::PlainText);  // the printer's names are not markup
    name->setGeometry(du(8, y, nameWidth, 8));
    name->setToolTip(Q(row.name));
    auto* bar = new InkBar(this, row);
    bar->setObjectName(QStringLiteral("inkBar%1").arg(i));
    bar->setGeometry(du(8 + nameWidth + 4, y + 1, barWidth, 6));
    auto* level =
        new QLabel(Q(row.low ? formatStr(ids::kInkLow, row.levelText) : row.levelText), this);
    level->setObjectName(QStringLiteral("inkLevel%1").arg(i));
    level->setGeometry(du(8 + nameWidth + 4 + barWidth + 4, y, levelWidth, 8));
    if (row.low) {
      level->setStyleSheet(QStringLiteral("color: #c00000;"));
      makeBold(level);
    }
  }
  int height = y + 6;
  if (!comparison.empty()) {
    auto* sentence = new QLabel(Q(comparison), this);
    sentence->setObjectName(QStringLiteral("inkComparison"));
    sentence->setTextFormat(Qt::PlainText);
    sentence->setWordWrap(true);
    sentence->setGeometry(du(8, y + 2, width * 4 / du.horizontal(4) - 16, 18));
    height = y + 24;
  }
  setFixedSize(width, du.vertical(height));
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->show();
}

}  // namespace pw
