#pragma once
// The watched printer's markers as the CUPS scheduler keeps them (the printer's last report).

#include <memory>
#include <string>

#include "app/SpoolerPorts.h"
#include "base/Ports.h"

namespace pw {

class CupsInkLevels : public IInkLevels {
 public:
  CupsInkLevels();
  ~CupsInkLevels() override;
  CupsInkLevels(const CupsInkLevels&) = delete;
  CupsInkLevels& operator=(const CupsInkLevels&) = delete;

  // Asked on a thread of its own, one question at a time: a server that hangs costs the windows
  // nothing. A question asked while another is out is asked after it; of several such, the last.
  void readMarkers(const std::string& printer, Answer answer) override;

  // The question's own limit; it only decides how soon a hung server's thread is free again.
  static constexpr int kTimeoutMs = 450;

 private:
  struct State;
  void ask(const std::string& printer, Answer answer);
  std::shared_ptr<State> state_;
};

}  // namespace pw
