#pragma once
// The status window's group with the forecast sentence (when the cartridge will run out) and a
// bar chart of the weighted pages of the last twelve months.

#include <QGroupBox>
#include <string>
#include <vector>

#include "app/Forecast.h"

class QLabel;

namespace pw {

class MonthChart;

class ForecastArea : public QGroupBox {
 public:
  explicit ForecastArea(QWidget* parent);

  // Fills the group and sizes it (width as given); hidden when there is neither a sentence nor a
  // page in the twelve months.
  void setForecast(const std::string& sentence, const std::vector<MonthUse>& months, int width);

 private:
  QLabel* sentence_ = nullptr;
  MonthChart* chart_ = nullptr;
};

}  // namespace pw
