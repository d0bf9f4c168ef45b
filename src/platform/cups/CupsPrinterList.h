#pragma once
// The print queues of the CUPS server that the client is configured for.

#include <string>
#include <vector>

#include "platform/Ports.h"

namespace pw {

class CupsPrinterList : public IPrinterList {
 public:
  // Queue names without instances, in the server's order; empty when the server does not answer.
  std::vector<std::string> LocalPrinters() override;
};

}  // namespace pw
