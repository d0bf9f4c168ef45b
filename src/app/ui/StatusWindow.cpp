#include "app/ui/StatusWindow.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <optional>

#include "adapters/qt/QtText.h"
#include "app/Gauge.h"
#include "app/ui/ForecastArea.h"
#include "app/ui/InkLevelsGroup.h"
#include "shell/ui/DialogParts.h"
#include "shell/ui/Icons.h"

namespace pw {

// The gauge control: a white rectangle that shows the gauge once a share has been given.
class GaugeStrip : public QWidget {
 public:
  explicit GaugeStrip(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted here, so a repaint of the strip never repaints the window under it
    // (which would run the window's before-paint hook again).
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  void setShare(int share) {
    share_ = share;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!share_)
      return;
    for (const GaugeFill& fill : gaugeLayout({0, 0, width(), height()}, *share_)) {
      const Rect& r = fill.rect;
      painter.fillRect(QRect(r.left, r.top, r.width(), r.height()),
                       QColor(fill.colour.red, fill.colour.green, fill.colour.blue));
    }
  }

 private:
  std::optional<int> share_;
};

namespace {

QLabel* centredLabel(QWidget* parent, int id, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(idName(id));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);  // user and document names are not markup
  return label;
}

}  // namespace

StatusWindow::StatusWindow(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(idName(ctl::status::kWindow));
  setWindowTitle(loadQStr(ids::kStatusTitle));
  const DialogUnits du(font());

  auto* title = centredLabel(this, ctl::kTitle, loadQStr(ids::kStatusTitle));
  makeBold(title);
  title->setGeometry(du(50, 10, 188, 11));

  auto* icon = new IconView(kProgramIcon, 32, this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setGeometry(du(16, 17, 21, 20));

  status_ = centredLabel(this, ctl::status::kText, QString());
  status_->setWordWrap(true);
  status_->setGeometry(du(49, 26, 189, 24));

  auto* group = new QGroupBox(loadQStr(ids::kStatusGroup), this);
  group->setGeometry(du(7, 53, 231, 48));

  usage_ = centredLabel(this, ctl::status::kUsage, loadQStr(ids::kStatusUsagePlaceholder));
  usage_->setGeometry(du(15, 66, 210, 8));

  gauge_ = new GaugeStrip(this);
  gauge_->setObjectName(idName(ctl::status::kGauge));
  gauge_->setGeometry(du(13, 85, 218, 6));

  auto* ok = new QPushButton(loadQStr(ids::kOk), this);
  ok->setObjectName(idName(ctl::status::kOk));
  ok->setDefault(true);
  ok->setGeometry(du(97, 108, 50, 14));
  // Enter reaches this button and Escape reject(); both, like the close box, only hide.
  connect(ok, &QPushButton::clicked, this, &QWidget::hide);

  // The printer's own levels go below everything else, so nothing above moves when they show.
  inks_ = new InkLevelsGroup(this);
  inks_->move(du.horizontal(7), du.vertical(128));
  forecast_ = new ForecastArea(this);

  setFixedSize(QSize(du.horizontal(245), du.vertical(129)));
}

// A word wider than the label (a long queue name) cannot wrap: it would push the rest of its
// line, and the date line below it, out of sight. It is shortened in the middle instead, and the
// whole text goes into the tooltip.
QString fitWords(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    QStringList words = line.split(QLatin1Char(' '));
    for (QString& word : words)
      if (metrics.horizontalAdvance(word) > width)
        word = metrics.elidedText(word, Qt::ElideMiddle, width);
    line = words.join(QLatin1Char(' '));
  }
  return lines.join(QLatin1Char('\n'));
}

void StatusWindow::setTexts(const std::string& status, const std::string& usage) {
  const QString full = Q(status);
  const QString fitted = fitWords(full, status_->fontMetrics(), status_->width());
  status_->setText(fitted);
  status_->setToolTip(fitted == full ? QString() : full);
  usage_->setText(Q(usage));
}

void StatusWindow::showWindow() {
  show();
  raise();
}

void StatusWindow::drawGauge(int share) {
  gauge_->setShare(share);
}

void StatusWindow::showInkLevels(const std::vector<InkRow>& rows, const std::string& comparison) {
  const DialogUnits du(font());
  inks_->setLevels(rows, comparison, du.horizontal(231));
  stackBelow();
}

void StatusWindow::showForecast(const std::string& sentence, const std::vector<MonthUse>& months) {
  const DialogUnits du(font());
  forecast_->setForecast(sentence, months, du.horizontal(231));
  stackBelow();
}

void StatusWindow::stackBelow() {
  const DialogUnits du(font());
  int top = du.vertical(128), height = du.vertical(129);
  for (QWidget* group : {static_cast<QWidget*>(inks_), static_cast<QWidget*>(forecast_)}) {
    if (group->isHidden())
      continue;
    group->move(du.horizontal(7), top);
    height = group->geometry().bottom() + 1 + du.vertical(7);
    top = group->geometry().bottom() + 1 + du.vertical(4);
  }
  setFixedSize(QSize(du.horizontal(245), height));
}

void StatusWindow::setBeforePaint(std::function<void()> hook) {
  beforePaint_ = std::move(hook);
}

void StatusWindow::paintEvent(QPaintEvent* event) {
  if (beforePaint_ && !inBeforePaint_) {
    inBeforePaint_ = true;
    beforePaint_();
    inBeforePaint_ = false;
  }
  QDialog::paintEvent(event);
}

}  // namespace pw
