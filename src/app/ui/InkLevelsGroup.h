#pragma once
// The status window's group of the printer's own ink levels: one row per marker the printer
// reports (name, a bar in the marker's colour filled to its level, the level) and the sentence
// comparing the estimate with it.

#include <QGroupBox>
#include <string>
#include <vector>

#include "app/InkLevels.h"

namespace pw {

class InkLevelsGroup : public QGroupBox {
 public:
  explicit InkLevelsGroup(QWidget* parent);

  // Rebuilds the rows and sizes the group to them (width as given).
  void setLevels(const std::vector<InkRow>& rows, const std::string& comparison, int width);
};

}  // namespace pw
