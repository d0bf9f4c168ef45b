#pragma once
// The message boxes of the program: Qt's boxes with the stop icon, titled "Pagewarden", their
// buttons in Czech.

#include "base/Ports.h"

namespace pw {

class QtMessages : public IMessages {
 public:
  void showError(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
};

}  // namespace pw
