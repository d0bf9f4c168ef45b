#pragma once
// The status window: the status sentence, the usage sentence and the usage gauge.
// It is created hidden, lives for the whole run, and OK, Enter, Escape and the close box only
// hide it.

#include <QDialog>
#include <functional>
#include <string>

#include "app/MonitorPorts.h"

class QLabel;

namespace pw {

class ForecastArea;
class GaugeStrip;
class InkLevelsGroup;

class StatusWindow : public QDialog, public IStatusView {
 public:
  explicit StatusWindow(QWidget* parent = nullptr);

  void setTexts(const std::string& status, const std::string& usage) override;
  void showWindow() override;
  void drawGauge(int share) override;
  void showInkLevels(const std::vector<InkRow>& rows, const std::string& comparison) override;
  void showForecast(const std::string& sentence, const std::vector<MonthUse>& months) override;

  // Runs before every paint of the window, so the owner can bring the texts and the gauge up to
  // date (the monitor's status display runs on each paint). Not re-entered from its own painting.
  void setBeforePaint(std::function<void()> hook);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Stacks the groups shown below the OK button and fits the window's height to them.
  void stackBelow();

  QLabel* status_ = nullptr;
  QLabel* usage_ = nullptr;
  GaugeStrip* gauge_ = nullptr;
  InkLevelsGroup* inks_ = nullptr;
  ForecastArea* forecast_ = nullptr;
  std::function<void()> beforePaint_;
  bool inBeforePaint_ = false;
};

}  // namespace pw
