// Drives the string reader over any bytes: the first byte picks the delimiter, the rest is the text.
// Every line is counted, tokenized and converted in turn.
#include "project/CsvStream.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

void ReadTokens(capi::csv::istringstream& in, std::uint8_t mode)
{
  in.count_delimiters();
  int asInt = 0;
  unsigned int asUint = 0;
  float asFloat = 0.0F;
  std::string text;
  for (int i = 0; i < 8; ++i) {
    try {
      switch ((mode + i) % 4) {
      case 0: in >> asInt; break;
      case 1: in >> asUint; break;
      case 2: in >> asFloat; break;
      default: in >> text; break;
      }
    } catch (const std::runtime_error&) {
    }
  }
  in.rest_of_line();
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0) {
    return 0;
  }
  static constexpr char kDelimiters[] = {',', '=', '/', '"', ' ', '\n', '#', ';'};
  capi::csv::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  in.set_delimiter(kDelimiters[data[0] % sizeof kDelimiters], data[0] & 0x80 ? "" : "<comma>");
  while (in.read_line()) {
    ReadTokens(in, data[0]);
  }
  return 0;
}
