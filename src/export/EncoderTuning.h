#pragma once

#include "ExportJob.h"
#include "FFmpegSupport.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Export {

// The video encoder families we drive; each takes the job's tuning through its own options.
enum class EncoderFamily { X264, X265, Nvenc, Vaapi };

// The x264/x265 preset for a quality-vs-speed value: 0 "ultrafast" .. 50 "medium" (the encoders'
// default) .. 100 "veryslow"; empty outside 0..100, which leaves the default.
std::string_view SoftwarePreset(int32_t qualityVsSpeed);

// The NVENC preset: 0 "p1" .. 50 "p4" (its default) .. 100 "p7"; empty outside 0..100.
std::string NvencPreset(int32_t qualityVsSpeed);

// The VAAPI driver's quality level: 0 gives 7, the fastest, 50 gives 4, 100 gives 1, the best;
// 0 (the driver's default) outside 0..100.
int32_t VaapiCompressionLevel(int32_t qualityVsSpeed);

// Constant rate factor for a quality of 0..100 (above 100 counts as 100): 0 gives 51, the lowest
// quality, 100 gives 10, very high but never the lossless end of the scale.
int32_t QualityToCrf(int32_t quality);

// Sets the average bit rate and, unless the job asks for software only, its threads, preset, rate
// mode and quality on an encoder that is about to be opened.
void ApplyTuning(EncoderFamily family, const ExportJob& job, AVCodecContext& codec, Dictionary& options);

} // namespace Export
