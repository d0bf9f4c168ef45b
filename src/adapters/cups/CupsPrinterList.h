#pragma once
// The print queues of the CUPS server that the client is configured for.

#include <string>
#include <vector>

#include "base/Ports.h"
#include "settings/PrinterList.h"

namespace pw {

class CupsPrinterList : public IPrinterList {
 public:
  // Queue names without instances, in the server's order; nothing when the server does not
  // answer within the job source's short timeout.
  std::optional<std::vector<std::string>> LocalPrinters() override;
};

}  // namespace pw
