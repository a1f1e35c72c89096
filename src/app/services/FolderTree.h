#pragma once

#include <string>

// Deletes the folder path with all its files and subfolders. Entries whose names begin with "."
// are skipped, so a folder holding one cannot be removed. Symbolic links are removed themselves,
// never followed, so nothing outside the tree is touched. Throws std::runtime_error with
// "Could not start directory enumeration", "Could not delete file", "Error enumerating directory"
// or "Could not remove directory"; entries deleted before the failure stay deleted.
void RemoveFolderTree(const std::u16string& path);
