#include "ShowFormat.h"

#include "FFmpegSupport.h"

#include "project/Paths.h"
#include "project/ProjectSettings.h"
#include "show/Timeline.h"

#include <algorithm>

namespace Export {

uint32_t ExportDuration(uint32_t projectDuration)
{
    return std::clamp(projectDuration, Rendering::MinShowDuration, Rendering::MaxShowDuration);
}

ProjectSettings ReadShowFormat(ExportJob& job, const ShowOverrides& overrides)
{
    ProjectSettings project;
    const auto result = project.TryLoad(FromPath(job.mProjectPath));
    if (result != ProjectLoadResult::Loaded) {
        throw EncoderError("Cannot read the project file \"" + job.mProjectPath.string() + "\": " +
            DescribeLoadResult(result));
    }
    job.mWidth = overrides.mSize ? overrides.mSize->first : project.m_ScreenWidth;
    job.mHeight = overrides.mSize ? overrides.mSize->second : project.m_ScreenHeight;
    job.mFPS = overrides.mFPS.value_or(project.m_FPS);
    job.mDuration = ExportDuration(project.m_Duration);
    job.mMusicPath = ToPath(project.m_MP3);
    return project;
}

} // namespace Export
