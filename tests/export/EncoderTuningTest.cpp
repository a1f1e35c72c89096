#include "EncoderTuning.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Export::EncoderFamily;
using Export::ExportJob;

struct PresetCase {
    int mQualityVsSpeed;
    const char* mSoftware;
    const char* mNvenc;
    int32_t mVaapiLevel;
};

void PrintTo(const PresetCase& c, std::ostream* os)
{
    *os << c.mQualityVsSpeed;
}

class PresetTest : public ::testing::TestWithParam<PresetCase> {};

// The dialog's seven choices, and the values it never sends.
TEST_P(PresetTest, MapsQualityVsSpeedOntoPresetsWithTheDefaultInTheMiddle)
{
    const PresetCase& c = GetParam();
    EXPECT_EQ(Export::SoftwarePreset(c.mQualityVsSpeed), c.mSoftware);
    EXPECT_EQ(Export::NvencPreset(c.mQualityVsSpeed), c.mNvenc);
    EXPECT_EQ(Export::VaapiCompressionLevel(c.mQualityVsSpeed), c.mVaapiLevel);
}

INSTANTIATE_TEST_SUITE_P(DialogValues, PresetTest,
    ::testing::Values(PresetCase{0, "ultrafast", "p1", 7}, PresetCase{20, "veryfast", "p2", 6},
        PresetCase{40, "fast", "p3", 5}, PresetCase{50, "medium", "p4", 4}, PresetCase{60, "slow", "p5", 3},
        PresetCase{80, "slower", "p6", 2}, PresetCase{100, "veryslow", "p7", 1}, PresetCase{101, "", "", 0},
        PresetCase{120, "", "", 0}, PresetCase{-1, "", "", 0}));

TEST(QualityToCrf, RunsFromLowestToVeryHighButNeverLossless)
{
    EXPECT_EQ(Export::QualityToCrf(0), 51);
    EXPECT_EQ(Export::QualityToCrf(50), 30);
    EXPECT_EQ(Export::QualityToCrf(100), 10);
    EXPECT_EQ(Export::QualityToCrf(150), 10);
    EXPECT_EQ(Export::QualityToCrf(-5), 51);
    for (int quality = 1; quality <= 100; ++quality) {
        EXPECT_LE(Export::QualityToCrf(quality), Export::QualityToCrf(quality - 1)) << quality;
    }
}

struct Applied {
    int mCompressionLevel = 0;
    int64_t mBitRate = 0;
    int64_t mMaxRate = 0;
    int mBufferSize = 0;
    int mThreads = 0;
    std::string mOptions; // "key=value;" in FFmpeg's order
};

Applied Apply(EncoderFamily family, const ExportJob& job)
{
    Export::CodecContextPtr codec(avcodec_alloc_context3(nullptr));
    codec->thread_count = 0;
    codec->compression_level = 0;
    Export::Dictionary options;
    Export::ApplyTuning(family, job, *codec, options);
    Applied applied{codec->compression_level, codec->bit_rate, codec->rc_max_rate, codec->rc_buffer_size,
        codec->thread_count, {}};
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(*options.Address(), "", entry, AV_DICT_IGNORE_SUFFIX))) {
        applied.mOptions += std::string(entry->key) + "=" + entry->value + ";";
    }
    return applied;
}

ExportJob TunedJob(int32_t rateMode)
{
    ExportJob job;
    job.mBitRate = 3000000;
    job.mWorkerThreads = 2;
    job.mQualityVsSpeed = 80;
    job.mRateMode = rateMode;
    job.mQuality = 150;
    return job;
}

TEST(ApplyTuning, SoftwareOnlySetsNothingButTheBitRate)
{
    ExportJob job = TunedJob(2);
    job.mHardware = false;
    const Applied applied = Apply(EncoderFamily::X264, job);
    EXPECT_EQ(applied.mBitRate, 3000000);
    EXPECT_EQ(applied.mThreads, 0);
    EXPECT_EQ(applied.mCompressionLevel, 0);
    EXPECT_EQ(applied.mOptions, "");
}

struct RateCase {
    EncoderFamily mFamily;
    int32_t mRateMode;
    int64_t mBitRate;
    int64_t mMaxRate;
    const char* mOptions;
    int mCompressionLevel = 0;
};

void PrintTo(const RateCase& c, std::ostream* os)
{
    *os << "family " << static_cast<int>(c.mFamily) << " rate mode " << c.mRateMode;
}

class RateModeTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateModeTest, SetsThreadsPresetAndRateControl)
{
    const RateCase& c = GetParam();
    const Applied applied = Apply(c.mFamily, TunedJob(c.mRateMode));
    EXPECT_EQ(applied.mThreads, 2);
    EXPECT_EQ(applied.mBitRate, c.mBitRate);
    EXPECT_EQ(applied.mMaxRate, c.mMaxRate);
    EXPECT_EQ(applied.mBufferSize, static_cast<int>(c.mMaxRate));
    EXPECT_EQ(applied.mOptions, c.mOptions);
    EXPECT_EQ(applied.mCompressionLevel, c.mCompressionLevel);
}

INSTANTIATE_TEST_SUITE_P(Modes, RateModeTest,
    ::testing::Values(RateCase{EncoderFamily::X264, 0, 3000000, 0, "preset=slower;"},
        RateCase{EncoderFamily::X264, 1, 3000000, 0, "preset=slower;"},
        RateCase{EncoderFamily::X264, 2, 0, 0, "preset=slower;crf=10;"},
        RateCase{EncoderFamily::X265, 3, 3000000, 3000000, "preset=slower;"},
        RateCase{EncoderFamily::Nvenc, 1, 3000000, 0, "preset=p6;rc=vbr;"},
        RateCase{EncoderFamily::Nvenc, 2, 0, 0, "preset=p6;rc=vbr;cq=10;"},
        RateCase{EncoderFamily::Nvenc, 3, 3000000, 3000000, "preset=p6;rc=cbr;"},
        RateCase{EncoderFamily::Vaapi, 1, 3000000, 0, "rc_mode=VBR;", 2},
        RateCase{EncoderFamily::Vaapi, 2, 0, 0, "rc_mode=CQP;qp=10;", 2},
        RateCase{EncoderFamily::Vaapi, 3, 3000000, 3000000, "rc_mode=CBR;", 2}));

} // namespace
