// Any bytes as a project file. Beyond surviving the load, a project that went through one save and
// load must come out of a second save and load byte for byte the same: whatever the writer emits,
// the reader takes back unchanged.
#include "project/ProjectSettings.h"
#include "project/Paths.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

std::u16string TempFile(const char* role)
{
  return FromPath("/tmp/pellora-fuzz-" + std::to_string(getpid()) + "-" + role + ".txt");
}

void WriteFile(const std::u16string& path, const std::uint8_t* data, std::size_t size)
{
  std::ofstream(ToPath(path), std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                      static_cast<std::streamsize>(size));
}

std::string SaveLoaded(const std::u16string& from, const std::u16string& to)
{
  ProjectSettings settings;
  settings.Load(from);
  settings.Save(to);
  std::ifstream in(ToPath(to), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const std::u16string input = TempFile("input");
  static const std::u16string first = TempFile("first");
  static const std::u16string second = TempFile("second");
  static const std::u16string third = TempFile("third");
  WriteFile(input, data, size);
  SaveLoaded(input, first);
  const std::string once = SaveLoaded(first, second);
  const std::string twice = SaveLoaded(second, third);
  if (once != twice) {
    std::fprintf(stderr, "save and load changed the project:\n--- once\n%s\n--- twice\n%s\n", once.c_str(),
                 twice.c_str());
    std::abort();
  }
  return 0;
}
