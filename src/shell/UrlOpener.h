#pragma once
// How the About box's link opens its address. The Qt adapter implements it.

#include <string>

namespace pw {

// Opens a URL with the desktop's handler; true means only that something was started.
class IUrlOpener {
 public:
  virtual ~IUrlOpener() = default;
  virtual bool open(const std::string& url) = 0;
};

}  // namespace pw
