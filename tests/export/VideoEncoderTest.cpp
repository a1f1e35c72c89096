#include "VideoEncoder.h"

#include "MediaProbe.h"
#include "FileChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using namespace ExportTest;
using Export::ExportJob;
using Export::ExportProgress;
using Export::VideoEncoder;

class VideoEncoderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        mFolder = std::filesystem::temp_directory_path() / "pellora-encoder-test"
            / (std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(mFolder);
        std::filesystem::create_directories(mFolder);
        mJob.mOutputPath = mFolder / "out.mp4";
        mJob.mWidth = 160;
        mJob.mHeight = 90;
        mJob.mFPS = 30;
        mJob.mDuration = 2;
        mJob.mBitRate = 400000;
    }

    bool Encode(Export::FrameSource& source)
    {
        VideoEncoder encoder(mJob, mProgress);
        const bool ok = encoder.Run(source);
        mError = encoder.ErrorMessage();
        return ok;
    }

    bool Encode()
    {
        SyntheticFrames frames(mJob.mWidth, mJob.mHeight);
        return Encode(frames);
    }

    std::filesystem::path mFolder;
    ExportJob mJob;
    ExportProgress mProgress;
    std::string mError;
};

TEST_F(VideoEncoderTest, WritesEveryFrameOfH264HighWithIndexInFront)
{
    int notices = 0;
    mProgress.mOnVideoEncoded = [&] { ++notices; };
    SyntheticFrames frames(mJob.mWidth, mJob.mHeight);
    ASSERT_TRUE(Encode(frames)) << mError;

    const FileFacts facts = Probe(mJob.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mStreams, 1);
    EXPECT_FALSE(facts.mAudio);
    EXPECT_EQ(facts.mVideo->mCodec, AV_CODEC_ID_H264);
    EXPECT_EQ(facts.mVideo->mProfile, FF_PROFILE_H264_HIGH);
    EXPECT_EQ(facts.mVideo->mPts.size(), 60u);
    EXPECT_NEAR(facts.mVideo->mDuration, 2.0, 1e-6);
    std::vector<int64_t> pts = facts.mVideo->mPts;
    std::sort(pts.begin(), pts.end());
    EXPECT_TRUE(std::adjacent_find(pts.begin(), pts.end()) == pts.end()) << "two frames share a time stamp";

    const std::vector<std::string> boxes = TopLevelBoxes(mJob.mOutputPath);
    const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
    ASSERT_NE(moov, boxes.end());
    EXPECT_LT(moov, std::find(boxes.begin(), boxes.end(), "mdat"));

    EXPECT_EQ(frames.mDelivered, 60);
    EXPECT_EQ(frames.mStopCalls, 1);
    EXPECT_EQ(mProgress.FramesTotal, 60);
    EXPECT_EQ(mProgress.FramesDone, 60);
    EXPECT_TRUE(mProgress.VideoEncoded);
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(PartFiles(mFolder).empty());
}

TEST_F(VideoEncoderTest, HevcIsMainProfileTaggedHvc1)
{
    if (!VideoEncoder::HasHevcEncoder(true)) {
        GTEST_SKIP() << "no software HEVC encoder on this machine";
    }
    mJob.mH264 = false;
    mJob.mDuration = 1;
    ASSERT_TRUE(Encode()) << mError;
    const FileFacts facts = Probe(mJob.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mCodec, AV_CODEC_ID_HEVC);
    EXPECT_EQ(facts.mVideo->mProfile, FF_PROFILE_HEVC_MAIN);
    EXPECT_EQ(facts.mVideo->mTag, MKTAG('h', 'v', 'c', '1'));
    EXPECT_EQ(facts.mVideo->mPts.size(), 30u);
}

TEST_F(VideoEncoderTest, CancelKeepsAPlayableFileOfTheFramesWritten)
{
    int notices = 0;
    mProgress.mOnVideoEncoded = [&] { ++notices; };
    SyntheticFrames frames(mJob.mWidth, mJob.mHeight);
    frames.mAfterFrame = [&](int delivered) { mProgress.ExportCancelled = delivered == 12; };
    ASSERT_TRUE(Encode(frames)) << mError;

    const FileFacts facts = Probe(mJob.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), 12u);
    EXPECT_NEAR(facts.mVideo->mDuration, 12.0 / 30, 1e-6);
    EXPECT_EQ(mProgress.FramesDone, 12);
    EXPECT_FALSE(mProgress.VideoEncoded);
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(frames.mStopCalls, 1);
}

class SourceEndTest : public VideoEncoderTest, public ::testing::WithParamInterface<int> {};

TEST_P(SourceEndTest, SourceEndingEarlyKeepsTheFramesItGave)
{
    SyntheticFrames frames(mJob.mWidth, mJob.mHeight);
    frames.mFrameLimit = GetParam();
    ASSERT_TRUE(Encode(frames)) << mError;
    const FileFacts facts = Probe(mJob.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), static_cast<size_t>(GetParam()));
    EXPECT_FALSE(mProgress.VideoEncoded);
}

INSTANTIATE_TEST_SUITE_P(FrameCounts, SourceEndTest, ::testing::Values(1, 7));

TEST_F(VideoEncoderTest, NoFrameAtAllWritesNoFile)
{
    SyntheticFrames frames(mJob.mWidth, mJob.mHeight);
    frames.mFrameLimit = 0;
    EXPECT_FALSE(Encode(frames));
    EXPECT_EQ(mError, "No frame was rendered, so no video was written");
    EXPECT_TRUE(std::filesystem::is_empty(mFolder));
}

// Music in the formats users bring, at rates and channel counts other than the output's, shorter
// and longer than the 2-second video.
struct MusicCase {
    const char* mName;
    const char* mFileName;
    const char* mEncoder; // nullptr: a hand-written PCM WAV
    double mSeconds;
    int mRate;
    int mChannels;
    bool mCover;
    double mExpectedSeconds;
};

void PrintTo(const MusicCase& c, std::ostream* os)
{
    *os << c.mName;
}

class MusicTest : public VideoEncoderTest, public ::testing::WithParamInterface<MusicCase> {};

TEST_P(MusicTest, BecomesAacStereoAt44100CutAtTheVideoEnd)
{
    const MusicCase& music = GetParam();
    mJob.mMusicPath = mFolder / music.mFileName;
    if (music.mEncoder) {
        ASSERT_TRUE(WriteMusic(
            mJob.mMusicPath, music.mEncoder, music.mSeconds, music.mRate, music.mChannels, music.mCover));
    } else {
        WriteWav(mJob.mMusicPath, music.mSeconds, music.mRate, music.mChannels);
    }
    ASSERT_EQ(Probe(mJob.mMusicPath).mStreams, music.mCover ? 2 : 1);
    ASSERT_TRUE(Encode()) << mError;

    const FileFacts facts = Probe(mJob.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    ASSERT_TRUE(facts.mAudio);
    EXPECT_EQ(facts.mStreams, 2);
    EXPECT_EQ(facts.mVideo->mPts.size(), 60u);
    EXPECT_EQ(facts.mAudio->mCodec, AV_CODEC_ID_AAC);
    EXPECT_EQ(facts.mAudio->mSampleRate, 44100);
    EXPECT_EQ(facts.mAudio->mChannels, 2);
    EXPECT_NEAR(facts.mAudio->mDuration, music.mExpectedSeconds, 0.03);
    EXPECT_LE(facts.mAudio->mDuration, 2.0);
    EXPECT_TRUE(std::is_sorted(facts.mAudio->mPts.begin(), facts.mAudio->mPts.end()));
}

INSTANTIATE_TEST_SUITE_P(Formats, MusicTest,
    ::testing::Values(MusicCase{"ShortWavMono22050", "music.wav", nullptr, 1.0, 22050, 1, false, 1.0},
        MusicCase{"LongWavStereo48000", "music.wav", nullptr, 3.0, 48000, 2, false, 2.0},
        MusicCase{"ExactWavStereo44100", "music.wav", nullptr, 2.0, 44100, 2, false, 2.0},
        MusicCase{"M4aWithCover", "music.m4a", "aac", 1.0, 48000, 2, true, 1.0},
        MusicCase{"Mp3WithCover", "music.mp3", "libmp3lame", 3.0, 32000, 1, true, 2.0}),
    [](const auto& test) { return std::string(test.param.mName); });

TEST_F(VideoEncoderTest, MusicWithoutSamplesGivesASilentVideo)
{
    mJob.mMusicPath = mFolder / "empty.wav";
    WriteWav(mJob.mMusicPath, 0.0, 44100, 2);
    ASSERT_TRUE(Encode()) << mError;
    const FileFacts facts = Probe(mJob.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), 60u);
    EXPECT_FALSE(facts.mAudio);
}

// A bottom-up picture must come out upright and a top-down one unchanged, in the right colours.
class ColourTest : public VideoEncoderTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ColourTest, DecodedPictureMatchesTheInput)
{
    const bool bottomUp = GetParam();
    const Bgr top{20, 40, 220};     // red
    const Bgr bottom{200, 120, 30}; // blue
    mJob.mDuration = 1;
    mJob.mRateMode = 2;
    SyntheticFrames frames(mJob.mWidth, mJob.mHeight, bottomUp);
    frames.mColours = [&](int) { return std::array<Bgr, 2>{top, bottom}; };
    ASSERT_TRUE(Encode(frames)) << mError;

    const std::vector<uint8_t> picture = FirstPicture(mJob.mOutputPath, mJob.mWidth, mJob.mHeight);
    ASSERT_EQ(picture.size(), static_cast<size_t>(mJob.mWidth * mJob.mHeight * 4));
    auto expectNear = [&](int y, const Bgr& colour) {
        const uint8_t* p = &picture[static_cast<size_t>((y * mJob.mWidth + mJob.mWidth / 2) * 4)];
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(p[c], colour[static_cast<size_t>(c)], 6) << "row " << y << " channel " << c;
        }
    };
    expectNear(mJob.mHeight / 4, top);
    expectNear(mJob.mHeight * 3 / 4, bottom);
}

INSTANTIATE_TEST_SUITE_P(RowOrders, ColourTest, ::testing::Values(true, false),
    [](const auto& test) { return std::string(test.param ? "BottomUp" : "TopDown"); });

// Every tuning the export dialog can send is accepted by the software encoders, and the profile
// stays what the file promises, even at the fastest preset.
struct TuningCase {
    const char* mName;
    bool mH264;
    bool mHardware;
    int32_t mRateMode;
    int32_t mQualityVsSpeed;
    int32_t mWorkerThreads;
};

void PrintTo(const TuningCase& c, std::ostream* os)
{
    *os << c.mName;
}

class TuningTest : public VideoEncoderTest, public ::testing::WithParamInterface<TuningCase> {};

TEST_P(TuningTest, EncodesEveryFrame)
{
    const TuningCase& tuning = GetParam();
    if (!tuning.mH264 && !VideoEncoder::HasHevcEncoder(true)) {
        GTEST_SKIP() << "no software HEVC encoder on this machine";
    }
    mJob.mWidth = 64;
    mJob.mHeight = 36;
    mJob.mFPS = 10;
    mJob.mDuration = 1;
    mJob.mH264 = tuning.mH264;
    mJob.mHardware = tuning.mHardware;
    mJob.mRateMode = tuning.mRateMode;
    mJob.mQualityVsSpeed = tuning.mQualityVsSpeed;
    mJob.mWorkerThreads = tuning.mWorkerThreads;
    ASSERT_TRUE(Encode()) << mError;
    const FileFacts facts = Probe(mJob.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), 10u);
    EXPECT_EQ(facts.mVideo->mProfile, tuning.mH264 ? FF_PROFILE_H264_HIGH : FF_PROFILE_HEVC_MAIN);
}

INSTANTIATE_TEST_SUITE_P(DialogChoices, TuningTest,
    ::testing::Values(TuningCase{"H264SoftwareOnly", true, false, 2, 50, 0},
        TuningCase{"H264VariableFastest", true, true, 1, 0, 1}, TuningCase{"H264QualityBest", true, true, 2, 100, 2},
        TuningCase{"H264ConstantNone", true, true, 3, 120, 4}, TuningCase{"HevcSoftwareOnly", false, false, 2, 50, 0},
        TuningCase{"HevcVariableFastest", false, true, 1, 0, 1}, TuningCase{"HevcQualityBest", false, true, 2, 100, 2},
        TuningCase{"HevcConstantNone", false, true, 3, 120, 4}),
    [](const auto& test) { return std::string(test.param.mName); });

// Whatever goes wrong, the message says what and the user's files stay as they were.
struct FailureCase {
    const char* mName;
    std::function<void(ExportJob&, const std::filesystem::path& folder)> mBreak;
    const char* mMessageStart;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.mName;
}

class FailureTest : public VideoEncoderTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, ReportsAClearMessageAndLeavesTheTargetAlone)
{
    const FailureCase& failure = GetParam();
    {
        std::ofstream keep(mJob.mOutputPath);
        keep << "the user's old video";
    }
    failure.mBreak(mJob, mFolder);
    SyntheticFrames frames(mJob.mWidth, mJob.mHeight);
    EXPECT_FALSE(Encode(frames));
    EXPECT_EQ(mError.rfind(failure.mMessageStart, 0), 0u) << mError;
    EXPECT_EQ(frames.mStopCalls, 1);
    EXPECT_FALSE(mProgress.VideoEncoded);

    std::ifstream kept(mFolder / "out.mp4");
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "the user's old video");
    EXPECT_TRUE(PartFiles(mFolder).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, FailureTest,
    ::testing::Values(
        FailureCase{"MissingFolder",
            [](ExportJob& job, const auto& folder) { job.mOutputPath = folder / "missing" / "out.mp4"; },
            "Could not open output file '"},
        FailureCase{"FolderIsAFile",
            [](ExportJob& job, const auto& folder) { job.mOutputPath = folder / "out.mp4" / "video.mp4"; },
            "Could not open output file '"},
        FailureCase{"MissingMusic", [](ExportJob& job, const auto& folder) { job.mMusicPath = folder / "gone.mp3"; },
            "Could not open music file '"},
        FailureCase{"MusicIsNotSound",
            [](ExportJob& job, const auto& folder) {
                job.mMusicPath = folder / "notes.mp3";
                std::ofstream(job.mMusicPath) << "just some text, no sound at all\n";
            },
            "Could not open music file '"},
        FailureCase{"OddSize", [](ExportJob& job, const auto&) { job.mWidth = 161; }, "The video size 161x90"},
        FailureCase{"NoFrameRate", [](ExportJob& job, const auto&) { job.mFPS = 0; }, "The frame rate 0"},
        FailureCase{"NoLength", [](ExportJob& job, const auto&) { job.mDuration = 0; }, "The video length"}),
    [](const auto& test) { return std::string(test.param.mName); });

TEST_F(VideoEncoderTest, KeepsAFileMadeMeanwhileWhenNotReplacing)
{
    mJob.mReplaceExisting = false;
    SyntheticFrames frames(mJob.mWidth, mJob.mHeight);
    frames.mAfterFrame = [&](int delivered) {
        if (delivered == 1) {
            std::ofstream(mJob.mOutputPath) << "made meanwhile";
        }
    };
    EXPECT_FALSE(Encode(frames));
    EXPECT_NE(mError.find("was created by someone else"), std::string::npos) << mError;
    EXPECT_EQ(ReadBytes(mJob.mOutputPath), "made meanwhile");
    EXPECT_TRUE(PartFiles(mFolder).empty());
}

// A part file left by a killed export is neither reused nor removed, and a link keeps linking.
TEST_F(VideoEncoderTest, WritesThroughALinkBesideAnotherExportsPartFile)
{
    const auto real = mFolder / "real.mp4";
    std::ofstream(real) << "the old video";
    std::filesystem::create_symlink("real.mp4", mFolder / "link.mp4");
    const auto stale = mFolder / "real.mp4.AbCd1234.pellora-part";
    std::ofstream(stale) << "left by a killed export";
    mJob.mOutputPath = mFolder / "link.mp4";

    ASSERT_TRUE(Encode()) << mError;
    EXPECT_TRUE(std::filesystem::is_symlink(mJob.mOutputPath));
    const FileFacts facts = Probe(real);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), 60u);
    EXPECT_EQ(ReadBytes(stale), "left by a killed export");
    EXPECT_EQ(PartFiles(mFolder), std::vector<std::filesystem::path>{stale});
}

TEST_F(VideoEncoderTest, MissingFolderMessageNamesPathAndReason)
{
    mJob.mOutputPath = mFolder / "missing" / "out.mp4";
    EXPECT_FALSE(Encode());
    EXPECT_EQ(mError, "Could not open output file '" + mJob.mOutputPath.string() + "': No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(mFolder / "missing"));
}

} // namespace
