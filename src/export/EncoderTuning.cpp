#include "EncoderTuning.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Export {

namespace {

constexpr int32_t kVariableBitRate = 1;
constexpr int32_t kQuality = 2;
constexpr int32_t kConstantBitRate = 3;

bool InPercentRange(int32_t value)
{
    return value >= 0 && value <= 100;
}

// Maps 0..100 onto presets 0..last so that 50 lands on the default preset and both halves are even.
int PresetIndex(int32_t value, int defaultIndex, int lastIndex)
{
    if (value <= 50) {
        return static_cast<int>(std::lround(value * defaultIndex / 50.0));
    }
    return defaultIndex + static_cast<int>(std::lround((value - 50) * (lastIndex - defaultIndex) / 50.0));
}

void ApplyPreset(EncoderFamily family, int32_t qualityVsSpeed, Dictionary& options)
{
    if (!InPercentRange(qualityVsSpeed)) {
        return;
    }
    options.Set("preset", family == EncoderFamily::Nvenc ? NvencPreset(qualityVsSpeed)
                                                         : std::string(SoftwarePreset(qualityVsSpeed)));
}

void ApplyQuality(EncoderFamily family, int32_t quality, AVCodecContext& codec, Dictionary& options)
{
    const std::string crf = std::to_string(QualityToCrf(quality));
    codec.bit_rate = 0;
    if (family == EncoderFamily::Nvenc) {
        options.Set("rc", "vbr");
        options.Set("cq", crf);
    } else {
        options.Set("crf", crf);
    }
}

void ApplyConstantBitRate(EncoderFamily family, AVCodecContext& codec, Dictionary& options)
{
    // A one-second buffer keeps the rate constant over any second of the video.
    codec.rc_max_rate = codec.bit_rate;
    codec.rc_buffer_size = static_cast<int>(codec.bit_rate);
    if (family == EncoderFamily::Nvenc) {
        options.Set("rc", "cbr");
    }
}

void ApplyRateMode(EncoderFamily family, const ExportJob& job, AVCodecContext& codec, Dictionary& options)
{
    if (job.mRateMode == kVariableBitRate && family == EncoderFamily::Nvenc) {
        options.Set("rc", "vbr");
    } else if (job.mRateMode == kQuality) {
        ApplyQuality(family, job.mQuality, codec, options);
    } else if (job.mRateMode == kConstantBitRate) {
        ApplyConstantBitRate(family, codec, options);
    }
}

} // namespace

std::string_view SoftwarePreset(int32_t qualityVsSpeed)
{
    static constexpr std::array<std::string_view, 9> presets = {
        "ultrafast", "superfast", "veryfast", "faster", "fast", "medium", "slow", "slower", "veryslow"};
    if (!InPercentRange(qualityVsSpeed)) {
        return {};
    }
    return presets[static_cast<std::size_t>(PresetIndex(qualityVsSpeed, 5, 8))];
}

std::string NvencPreset(int32_t qualityVsSpeed)
{
    if (!InPercentRange(qualityVsSpeed)) {
        return {};
    }
    return "p" + std::to_string(1 + PresetIndex(qualityVsSpeed, 3, 6));
}

int32_t QualityToCrf(int32_t quality)
{
    const int32_t clamped = std::clamp(quality, 0, 100);
    return 51 - static_cast<int32_t>(std::lround(clamped * 41 / 100.0));
}

void ApplyTuning(EncoderFamily family, const ExportJob& job, AVCodecContext& codec, Dictionary& options)
{
    codec.bit_rate = job.mBitRate;
    if (!job.mHardware) {
        return;
    }
    if (job.mWorkerThreads > 0) {
        codec.thread_count = job.mWorkerThreads;
    }
    ApplyPreset(family, job.mQualityVsSpeed, options);
    ApplyRateMode(family, job, codec, options);
}

} // namespace Export
