#pragma once
#include <string>

namespace linvara::output {

// The stake icon packed into a KMZ: a red ring on a transparent ground, as a
// PNG file of 64 × 64 pixels, drawn here rather than taken from a map
// service, so the archive needs no network.
std::string StakeIconPng();

}  // namespace linvara::output
