#include "EncoderTuning.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Export {

namespace {

constexpr int32_t kVariableBitRate = 1;
constexpr int32_t kQuality = 2;
constexpr int32_t kConstantBitRate = 3;

// How a family names its rate control: the option that picks the mode (none when the bit rate
// fields alone decide), the mode for each of our rate modes, and the option that takes the quality.
struct RateOptions {
    const char* mModeKey;
    const char* mVariable;
    const char* mConstant;
    const char* mQuality;
    const char* mQualityKey;
};

const RateOptions& RateOptionsOf(EncoderFamily family)
{
    static constexpr RateOptions software{nullptr, nullptr, nullptr, nullptr, "crf"};
    static constexpr RateOptions nvenc{"rc", "vbr", "cbr", "vbr", "cq"};
    static constexpr RateOptions vaapi{"rc_mode", "VBR", "CBR", "CQP", "qp"};
    switch (family) {
    case EncoderFamily::Nvenc:
        return nvenc;
    case EncoderFamily::Vaapi:
        return vaapi;
    default:
        return software;
    }
}

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

void ApplyPreset(EncoderFamily family, int32_t qualityVsSpeed, AVCodecContext& codec, Dictionary& options)
{
    if (!InPercentRange(qualityVsSpeed)) {
        return;
    }
    if (family == EncoderFamily::Vaapi) {
        codec.compression_level = VaapiCompressionLevel(qualityVsSpeed);
    } else if (family == EncoderFamily::Nvenc) {
        options.Set("preset", NvencPreset(qualityVsSpeed));
    } else {
        options.Set("preset", std::string(SoftwarePreset(qualityVsSpeed)));
    }
}

void ApplyRateMode(EncoderFamily family, const ExportJob& job, AVCodecContext& codec, Dictionary& options)
{
    const RateOptions& rate = RateOptionsOf(family);
    auto selectMode = [&](const char* mode) {
        if (rate.mModeKey) {
            options.Set(rate.mModeKey, mode);
        }
    };
    if (job.mRateMode == kVariableBitRate) {
        selectMode(rate.mVariable);
    } else if (job.mRateMode == kQuality) {
        codec.bit_rate = 0;
        selectMode(rate.mQuality);
        options.Set(rate.mQualityKey, std::to_string(QualityToCrf(job.mQuality)));
    } else if (job.mRateMode == kConstantBitRate) {
        // A one-second buffer keeps the rate constant over any second of the video.
        codec.rc_max_rate = codec.bit_rate;
        codec.rc_buffer_size = static_cast<int>(codec.bit_rate);
        selectMode(rate.mConstant);
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

int32_t VaapiCompressionLevel(int32_t qualityVsSpeed)
{
    if (!InPercentRange(qualityVsSpeed)) {
        return 0;
    }
    return 7 - PresetIndex(qualityVsSpeed, 3, 6);
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
    ApplyPreset(family, job.mQualityVsSpeed, codec, options);
    ApplyRateMode(family, job, codec, options);
}

} // namespace Export
