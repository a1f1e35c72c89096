#include "FrameHandOver.h"

#include "MediaProbe.h"
#include "VideoEncoder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using Export::AutoResetEvent;
using Export::FrameHandOver;

TEST(AutoResetEvent, ReleasesOneWaitPerSetAndRemembersASetWithoutWaiter)
{
    AutoResetEvent event;
    EXPECT_FALSE(event.WaitFor(std::chrono::milliseconds(0)));
    event.Set();
    event.Set();
    EXPECT_TRUE(event.WaitFor(std::chrono::milliseconds(0)));
    EXPECT_FALSE(event.WaitFor(std::chrono::milliseconds(0)));

    std::thread setter([&] { event.Set(); });
    event.Wait();
    setter.join();
    EXPECT_FALSE(event.WaitFor(std::chrono::milliseconds(0)));
}

// The render thread's last frame and its finish can reach the encoder as one wake-up; the frame
// still counts, in the row order the render side writes.
TEST(FrameHandOver, LastFrameArrivingWithTheFinishStillCounts)
{
    for (const bool bottomUp : {true, false}) {
        FrameHandOver handOver(4, bottomUp);
        const std::vector<uint8_t> pixels(4 * 2 * 4, 77);
        handOver.FrameReady(pixels.data());
        handOver.RenderFinished();
        Export::FrameView frame;
        ASSERT_TRUE(handOver.NextFrame(frame));
        EXPECT_EQ(frame.mPixels, pixels.data());
        EXPECT_EQ(frame.mStrideBytes, 16);
        EXPECT_EQ(frame.mBottomUp, bottomUp);
        EXPECT_FALSE(handOver.NextFrame(frame));
        handOver.Stop();
        EXPECT_FALSE(handOver.WaitForRequest());
    }
}

// A render thread as the export will run it: one frame per request until the encoder stops asking
// or the show runs out of frames.
class FakeRenderThread {
public:
    FakeRenderThread(FrameHandOver& handOver, int width, int height, int framesInShow)
        : mThread([&handOver, width, height, framesInShow, this] {
            std::vector<uint8_t> pixels(static_cast<size_t>(width * height * 4));
            while (mRendered < framesInShow && handOver.WaitForRequest()) {
                std::memset(pixels.data(), 40 + mRendered, pixels.size());
                ++mRendered;
                handOver.FrameReady(pixels.data());
            }
            handOver.RenderFinished();
        })
    {
    }
    ~FakeRenderThread()
    {
        if (mThread.joinable()) {
            mThread.join();
        }
    }

    int Join()
    {
        mThread.join();
        return mRendered;
    }

private:
    int mRendered = 0;
    std::thread mThread;
};

struct HandOverCase {
    const char* mName;
    int mFramesInShow;
    int mExpectedFrames;
    bool mCompleted;
};

void PrintTo(const HandOverCase& c, std::ostream* os)
{
    *os << c.mName;
}

class HandOverTest : public ::testing::TestWithParam<HandOverCase> {};

// The encoder takes exactly fps × duration frames, the last one included, and stops the render
// thread; a render thread that ends early leaves a finished file of what it rendered.
TEST_P(HandOverTest, EncoderTakesFramesFromTheRenderThread)
{
    const HandOverCase& c = GetParam();
    Export::ExportJob job;
    job.mWidth = 64;
    job.mHeight = 36;
    job.mFPS = 15;
    job.mDuration = 2;
    job.mOutputPath = std::filesystem::temp_directory_path() / (std::string("pellora-handover-") + c.mName + ".mp4");
    Export::ExportProgress progress;
    FrameHandOver handOver(job.mWidth, true);
    FakeRenderThread render(handOver, job.mWidth, job.mHeight, c.mFramesInShow);
    Export::VideoEncoder encoder(job, progress);
    EXPECT_TRUE(encoder.Run(handOver)) << encoder.ErrorMessage();
    EXPECT_EQ(render.Join(), c.mExpectedFrames);
    EXPECT_EQ(progress.VideoEncoded, c.mCompleted);
    const ExportTest::FileFacts facts = ExportTest::Probe(job.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), static_cast<size_t>(c.mExpectedFrames));
    std::filesystem::remove(job.mOutputPath);
}

INSTANTIATE_TEST_SUITE_P(Shows, HandOverTest,
    ::testing::Values(HandOverCase{"LongerShow", 1000, 30, true}, HandOverCase{"ExactShow", 30, 30, true},
        HandOverCase{"ShorterShow", 9, 9, false}),
    [](const auto& test) { return std::string(test.param.mName); });

} // namespace
