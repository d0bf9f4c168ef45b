#pragma once
// What the Details command and the Details dialog exchange.

#include <string>

namespace pw {

// The values the Details command hands to the Details dialog and reads back after OK.
struct DetailsValues {
  std::string printer, cartridge, maximum, best, normal, economic;
};

}  // namespace pw
