#pragma once
// The print queues of the CUPS server that the client is configured for.

#include <memory>
#include <string>
#include <vector>

#include "base/Ports.h"
#include "settings/PrinterList.h"

namespace pw {

class CupsPrinterList : public IPrinterList {
 public:
  CupsPrinterList();

  // Queue names without instances, in the server's order. The server is asked on a thread of its
  // own and waited for only a moment, so the dialog opens at once whatever the server does;
  // without an answer by then, the last answer it gave (nothing when it never gave one).
  std::optional<std::vector<std::string>> localPrinters() override;
  // Asks in the background, so that the first dialog already finds an answer.
  void askAhead();

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace pw
