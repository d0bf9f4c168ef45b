#include "app/ui/ForecastArea.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "adapters/qt/QtText.h"
#include "res/Strings.h"
#include "shell/ui/DialogParts.h"

namespace pw {

// One bar per month in the gauge's colours, framed in black as the gauge is, with the month's
// pages above it and its short name below. The texts and the scale are fixed when the months are
// given; a paint only draws.
class MonthChart : public QWidget {
 public:
  explicit MonthChart(QWidget* parent) : QWidget(parent) {}

  void setMonths(const std::vector<MonthUse>& months) {
    bars_.clear();
    double most = 0;
    for (const MonthUse& m : months)
      most = std::max(most, m.pages);
    for (const MonthUse& m : months) {
      const long pages = std::lround(m.pages);
      bars_.push_back({Q(m.label), pages > 0 ? QString::number(pages) : QString(),
                       most > 0 ? m.pages / most : 0.0,
                       QColor(m.colour.red, m.colour.green, m.colour.blue)});
    }
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (bars_.empty())
      return;
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int text = metrics.height();
    const int top = text, bottom = height() - text - 1;
    const int slot = width() / static_cast<int>(bars_.size());
    const int barWidth = std::max(2, slot * 3 / 5);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
      const Bar& bar = bars_[i];
      const int left = static_cast<int>(i) * slot;
      const int barHeight = static_cast<int>(std::lround(bar.fraction * (bottom - top)));
      const QRect body(left + (slot - barWidth) / 2, bottom - barHeight, barWidth, barHeight);
      if (barHeight > 0) {
        painter.fillRect(body, bar.colour);
        painter.setPen(Qt::black);
        painter.drawRect(body.adjusted(0, 0, -1, -1));
      }
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawText(QRect(left, body.top() - text, slot, text), Qt::AlignCenter, bar.pages);
      painter.drawText(QRect(left, bottom + 1, slot, text), Qt::AlignCenter, bar.label);
    }
    painter.setPen(Qt::black);
    painter.drawLine(0, bottom, width() - 1, bottom);
  }

 private:
  struct Bar {
    QString label, pages;
    double fraction = 0;  // of the tallest bar
    QColor colour;
  };
  std::vector<Bar> bars_;
};

ForecastArea::ForecastArea(QWidget* parent) : QGroupBox(Q(loadStr(ids::kForecastTitle)), parent) {
  setObjectName("forecast");
  sentence_ = new QLabel(this);
  sentence_->setObjectName("forecastSentence");
  sentence_->setTextFormat(Qt::PlainText);
  sentence_->setWordWrap(true);
  chart_ = new MonthChart(this);
  chart_->setObjectName("forecastChart");
  // Explained on hover rather than on a line of its own: with the printer's ink levels above it
  // the window must still fit a small screen at 150 %.
  chart_->setToolTip(Q(loadStr(ids::kChartCaption)));
  chart_->setAccessibleName(chart_->toolTip());
  hide();
}

void ForecastArea::setForecast(const std::string& sentence, const std::vector<MonthUse>& months,
                               int width) {
  const bool anyPages =
      std::any_of(months.begin(), months.end(), [](const MonthUse& m) { return m.pages > 0; });
  setVisible(!sentence.empty() || anyPages);
  const DialogUnits du(font());
  const int left = du.horizontal(8), inner = width - 2 * left;
  int y = du.vertical(11);
  sentence_->setText(Q(sentence));
  sentence_->setVisible(!sentence.empty());
  if (!sentence.empty()) {
    // As many lines as the sentence needs: a note on undated records may add one.
    const int textHeight = sentence_->heightForWidth(inner);
    sentence_->setGeometry(left, y, inner, textHeight);
    y += textHeight + du.vertical(3);
  }
  chart_->setVisible(anyPages);
  if (anyPages) {
    chart_->setGeometry(left, y, inner, du.vertical(32));
    chart_->setMonths(months);
    y += du.vertical(32);
  }
  setFixedSize(width, y + du.vertical(3));
}

}  // namespace pw
