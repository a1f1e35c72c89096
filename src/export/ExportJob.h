#pragma once

#include <cstdint>
#include <filesystem>

namespace Export {

// What to export and how, filled by the export settings dialog (or the command line) and handed to
// the encoder thread, which owns it from then on.
struct ExportJob {
    std::filesystem::path mMusicPath;   // the project's music file; empty for a silent video
    std::filesystem::path mProjectPath; // the project file the render side shows
    std::filesystem::path mOutputPath;  // the MP4 file to write
    bool mReplaceExisting = true;       // false: a file at the output path, even one made meanwhile, is kept
    int32_t mBitRate = 4000000;         // average bit rate, bits per second
    bool mH264 = true;                  // false: HEVC
    bool mHardware = true;              // prefer a hardware encoder and apply the tuning below
    int32_t mWorkerThreads = 0;         // 0: the encoder's own choice
    int32_t mQualityVsSpeed = 50;       // 0 fastest .. 100 best quality; outside 0..100 is not applied
    int32_t mRateMode = 2;              // 1 variable bit rate, 2 quality, 3 constant bit rate, 0 none
    int32_t mQuality = 100;             // 0..100, used in rate mode 2; above 100 counts as 100

    // The show's format, from the project: frame size in pixels, frames per second, length in seconds.
    int32_t mWidth = 1280;
    int32_t mHeight = 720;
    int32_t mFPS = 30;
    uint32_t mDuration = 20;
};

} // namespace Export
