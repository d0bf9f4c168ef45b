#pragma once
// The watched printer's markers as the CUPS scheduler keeps them (the printer's last report).

#include "app/SpoolerPorts.h"
#include "base/Ports.h"

namespace pw {

class CupsInkLevels : public IInkLevels {
 public:
  std::vector<Marker> ReadMarkers(const std::string& printer) override;

  // The status window waits for the answer: a server that does not answer gives up soon.
  static constexpr int kTimeoutMs = 450;
};

}  // namespace pw
