#pragma once
// What every fuzz target defines: libFuzzer's entry point, and the seeds the
// target builds at run time beside its corpus folder (project files are made
// from SQL, never checked in).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace linvara::fuzz {

std::vector<std::string> GeneratedSeeds();

// A file of this process for the input (the readers take paths), rewritten per input.
std::string WriteInput(const std::uint8_t* data, std::size_t size, const char* extension);

}  // namespace linvara::fuzz
