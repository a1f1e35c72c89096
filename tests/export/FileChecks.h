#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ExportTest {

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The unfinished export files in a folder.
inline std::vector<std::filesystem::path> PartFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> parts;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".pellora-part") {
            parts.push_back(entry.path());
        }
    }
    return parts;
}

} // namespace ExportTest
