#pragma once

#include <string>

// The per-user data folder, $XDG_DATA_HOME/Pellora (~/.local/share/Pellora by default). It is
// created on the first call of the process only and the path is cached for the rest of the run,
// so a folder removed later ("Delete Cache") comes back at the next start. Empty when no home
// folder can be found or the path does not fit; callers then work relative to the current folder.
// Safe to call from any thread.
std::u16string GetDataFolder();

// The "thumbnail" subfolder of the data folder, created whenever it is missing.
std::u16string GetThumbnailFolder();
