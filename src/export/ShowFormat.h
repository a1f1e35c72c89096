#pragma once

#include "ExportJob.h"

#include "project/ProjectSettings.h"

#include <cstdint>
#include <optional>
#include <utility>

namespace Export {

// What one export changes of the project's show without touching the project file: the frame size,
// the frame rate and the seed of the engine's random choices.
struct ShowOverrides {
    std::optional<std::pair<int32_t, int32_t>> mSize; // width, height in pixels
    std::optional<int32_t> mFPS;
    std::optional<uint32_t> mSeed; // none: the engine picks differently every time
};

// Seconds of video for a project's m_Duration: the whole show, which is never shorter than 20 seconds.
uint32_t ExportDuration(uint32_t projectDuration);

// Fills the job's frame size, frame rate, length and music from the project file at
// job.mProjectPath, then applies the overrides. Throws EncoderError naming the file when the project
// does not load (with the reason), since an export of an empty show is not what anyone asked for.
// Returns the project as read, for the show to use: a pipe cannot be read a second time.
ProjectSettings ReadShowFormat(ExportJob& job, const ShowOverrides& overrides);

} // namespace Export
