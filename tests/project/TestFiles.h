#pragma once

#include "project/Paths.h"
#include "project/TextConvert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

// A fresh folder under the system temp folder, removed with everything in it at the end.
class TempFolder {
public:
  TempFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "pellora-test-XXXXXX").string();
    mPath = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~TempFolder()
  {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return mPath; }
  // A path inside the folder as UTF-16; name may hold subfolders, which are created.
  std::u16string File(const std::string& name) const
  {
    const auto path = mPath / name;
    std::filesystem::create_directories(path.parent_path());
    return FromPath(path);
  }

private:
  std::filesystem::path mPath;
};

inline void WriteBytes(const std::u16string& path, const std::string& bytes)
{
  std::ofstream(ToPath(path), std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::u16string& path)
{
  std::ifstream in(ToPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Names table-driven cases after their name field.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info)
{
  return info.param.name;
}
