#include "ExportSession.h"

#include "ExportTestShow.h"
#include "VideoEncoder.h"

#include <QImage>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace ExportTest;
using Export::ExportSession;
using Export::ShowOverrides;

constexpr int kWidth = 320;
constexpr int kHeight = 180;
constexpr uint32_t kSeed = 7;

std::unique_ptr<ExportSession> RunExport(const ExportTestShow& show, const std::filesystem::path& out,
    bool h264 = true, int fps = 30)
{
    Export::ExportJob job;
    job.mProjectPath = show.ProjectPath();
    job.mOutputPath = out;
    job.mH264 = h264;
    job.mQualityVsSpeed = 0;
    auto session = std::make_unique<ExportSession>(job, ShowOverrides{{{kWidth, kHeight}}, fps, kSeed});
    session->Start();
    session->Wait();
    return session;
}

// The pts of every video packet, in presentation order.
std::vector<int64_t> PresentationOrder(const StreamFacts& video)
{
    std::vector<int64_t> pts = video.mPts;
    std::sort(pts.begin(), pts.end());
    return pts;
}

bool StrictlyIncreasing(const std::vector<int64_t>& values)
{
    return std::adjacent_find(values.begin(), values.end(), std::greater_equal<>()) == values.end();
}

// Decodes the video frame with the given presentation index into top-down B, G, R, A rows.
QImage DecodeFrame(const std::filesystem::path& path, int index)
{
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        return {};
    }
    const Export::InputFormatPtr input(raw);
    avformat_find_stream_info(raw, nullptr);
    const int stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVCodecParameters& parameters = *raw->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters.codec_id);
    const Export::CodecContextPtr decoder(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(decoder.get(), &parameters);
    avcodec_open2(decoder.get(), codec, nullptr);
    const Export::PacketPtr packet = Export::AllocatePacket();
    const Export::FramePtr frame = Export::AllocateFrame();
    int decoded = 0;
    bool more = true;
    while (more) {
        more = av_read_frame(raw, packet.get()) >= 0;
        if (more && packet->stream_index != stream) {
            av_packet_unref(packet.get());
            continue;
        }
        avcodec_send_packet(decoder.get(), more ? packet.get() : nullptr);
        av_packet_unref(packet.get());
        while (avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            if (decoded++ == index) {
                QImage picture(frame->width, frame->height, QImage::Format_RGB32);
                const Export::SwsContextPtr scaler(sws_getContext(frame->width, frame->height,
                    static_cast<AVPixelFormat>(frame->format), frame->width, frame->height, AV_PIX_FMT_BGRA,
                    SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
                const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
                sws_setColorspaceDetails(scaler.get(), bt709, 0, bt709, 1, 0, 1 << 16, 1 << 16);
                uint8_t* target[] = {picture.bits()};
                const int targetStride[] = {static_cast<int>(picture.bytesPerLine())};
                sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, target, targetStride);
                return picture;
            }
        }
    }
    return {};
}

// Mean absolute difference per colour channel, 0..255.
double MeanDifference(const QImage& a, const QImage& b)
{
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            sum += std::abs(qRed(rowA[x]) - qRed(rowB[x])) + std::abs(qGreen(rowA[x]) - qGreen(rowB[x]))
                + std::abs(qBlue(rowA[x]) - qBlue(rowB[x]));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

// --frame 5.0 draws the picture after 150 clock steps of 1 / 30 s; in the video that is the 150th
// frame, presentation index 149.
void ExpectFrameAtFiveSecondsLikeTheStill(const ExportTestShow& show, const std::filesystem::path& video)
{
    const auto still = show.Folder() / "still.png";
    QProcess render;
    render.start(QStringLiteral(PELLORA_RENDER_PATH),
        {"--project", QString::fromStdString(show.ProjectPath().string()), "--frame", "5.0", "--size",
            QString("%1x%2").arg(kWidth).arg(kHeight), "--seed", QString::number(kSeed), "--out",
            QString::fromStdString(still.string())});
    ASSERT_TRUE(render.waitForFinished(180000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();

    const QImage expected = QImage(QString::fromStdString(still.string())).convertToFormat(QImage::Format_RGB32);
    const QImage decoded = DecodeFrame(video, 149);
    ASSERT_EQ(decoded.size(), expected.size());
    EXPECT_LT(MeanDifference(decoded, expected), 2.0);
    // An earlier frame differs more, or the comparison would not tell the frames apart.
    EXPECT_LT(MeanDifference(decoded, expected), MeanDifference(DecodeFrame(video, 120), expected));
}

// One full export at 30 fps with 5 seconds of music, checked from every side at once, since a
// 600-frame export is the slow part.
TEST(ExportSession, WritesTheWholeShowWithItsMusic)
{
    const ExportTestShow show(5.0);
    const auto out = show.Folder() / "show.mp4";
    const auto session = RunExport(show, out);
    ASSERT_TRUE(session->Succeeded()) << session->ErrorMessage();
    EXPECT_TRUE(session->Progress().VideoEncoded);
    EXPECT_EQ(session->Progress().FramesTotal, 600);
    EXPECT_EQ(session->Progress().FramesDone, 600);
    EXPECT_EQ(session->Job().mWidth, kWidth);
    EXPECT_EQ(session->Job().mHeight, kHeight);
    EXPECT_TRUE(show.ProjectUnchanged());

    const FileFacts facts = Probe(out);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mCodec, AV_CODEC_ID_H264);
    EXPECT_EQ(facts.mVideo->mProfile, FF_PROFILE_H264_HIGH);
    EXPECT_EQ(facts.mVideo->mPts.size(), 600u);
    EXPECT_TRUE(StrictlyIncreasing(PresentationOrder(*facts.mVideo)));
    EXPECT_NEAR(facts.mVideo->mDuration, 20.0, 1e-6);

    ASSERT_TRUE(facts.mAudio);
    EXPECT_EQ(facts.mStreams, 2);
    EXPECT_EQ(facts.mAudio->mCodec, AV_CODEC_ID_AAC);
    EXPECT_EQ(facts.mAudio->mSampleRate, 44100);
    EXPECT_EQ(facts.mAudio->mChannels, 2);
    EXPECT_NEAR(facts.mAudio->mDuration, 5.0, 0.05);

    ExpectFrameAtFiveSecondsLikeTheStill(show, out);
}

struct VariantCase {
    const char* mName;
    bool mH264;
    double mMusicSeconds; // 0: no music
    int mFPS;
};

void PrintTo(const VariantCase& variant, std::ostream* os)
{
    *os << variant.mName;
}

class VariantTest : public ::testing::TestWithParam<VariantCase> {};

TEST_P(VariantTest, WritesTheWholeShowInTheChosenFormat)
{
    const VariantCase& variant = GetParam();
    if (!variant.mH264 && !Export::VideoEncoder::HasHevcEncoder(true)) {
        GTEST_SKIP() << "no software HEVC encoder on this machine";
    }
    const ExportTestShow show(variant.mMusicSeconds);
    const auto session = RunExport(show, show.Folder() / "show.mp4", variant.mH264, variant.mFPS);
    ASSERT_TRUE(session->Succeeded()) << session->ErrorMessage();

    const FileFacts facts = Probe(show.Folder() / "show.mp4");
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mCodec, variant.mH264 ? AV_CODEC_ID_H264 : AV_CODEC_ID_HEVC);
    EXPECT_EQ(facts.mVideo->mProfile, variant.mH264 ? FF_PROFILE_H264_HIGH : FF_PROFILE_HEVC_MAIN);
    EXPECT_EQ(facts.mVideo->mPts.size(), static_cast<size_t>(variant.mFPS * 20));
    EXPECT_NEAR(facts.mVideo->mDuration, 20.0, 1e-6);
    if (variant.mMusicSeconds == 0.0) {
        EXPECT_FALSE(facts.mAudio);
        EXPECT_EQ(facts.mStreams, 1);
    } else {
        ASSERT_TRUE(facts.mAudio);
        EXPECT_NEAR(facts.mAudio->mDuration, std::min(variant.mMusicSeconds, 20.0), 0.05);
    }
}

// Lower frame rates keep these exports short; the full one above checks 30 fps.
INSTANTIATE_TEST_SUITE_P(Formats, VariantTest,
    ::testing::Values(VariantCase{"HevcWithoutMusic", false, 0.0, 10}, VariantCase{"H264WithoutMusic", true, 0.0, 5},
        VariantCase{"MusicLongerThanTheShowEndsWithIt", true, 60.0, 10}),
    [](const auto& test) { return std::string(test.param.mName); });

TEST(ExportSession, CancelKeepsAPlayableFileOfTheFramesWritten)
{
    const ExportTestShow show;
    Export::ExportJob job;
    job.mProjectPath = show.ProjectPath();
    job.mOutputPath = show.Folder() / "part.mp4";
    ExportSession session(job, ShowOverrides{{{kWidth, kHeight}}, 30, kSeed});
    session.Start();
    while (!session.WaitFor(std::chrono::milliseconds(5))) {
        if (session.Progress().FramesDone >= 20) {
            session.Cancel();
        }
    }
    ASSERT_TRUE(session.Succeeded()) << session.ErrorMessage();
    EXPECT_FALSE(session.Progress().VideoEncoded);
    const int32_t written = session.Progress().FramesDone;
    EXPECT_GE(written, 20);
    EXPECT_LT(written, 600);

    const FileFacts facts = Probe(job.mOutputPath);
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), static_cast<size_t>(written));
    EXPECT_TRUE(StrictlyIncreasing(PresentationOrder(*facts.mVideo)));
}

TEST(ExportSession, WarningsOfTheShowReachTheSession)
{
    const ExportTestShow show;
    const auto gone = show.Folder() / "gone.png";
    const auto project = show.Folder() / "with-gone.txt";
    ASSERT_TRUE(Rendering::Testing::ShowFolder::MakeProject({show.Folder() / "wide.png", gone}, 20)
                    .Save(FromPath(project)));
    Export::ExportJob job;
    job.mProjectPath = project;
    job.mOutputPath = show.Folder() / "part.mp4";
    ExportSession session(job, ShowOverrides{{{kWidth, kHeight}}, 30, kSeed});
    session.Start();
    while (!session.WaitFor(std::chrono::milliseconds(5))) {
        if (session.Progress().FramesDone >= 1) {
            session.Cancel();
        }
    }
    ASSERT_TRUE(session.Succeeded()) << session.ErrorMessage();
    ASSERT_EQ(session.Warnings().size(), 1u);
    EXPECT_EQ(session.Warnings().front(), "photo \"" + gone.string() + "\" not found; it is left out");
}

TEST(ExportSession, UnreadableProjectFailsTheWholeExport)
{
    const ExportTestShow show;
    Export::ExportJob job;
    job.mProjectPath = show.Folder() / "missing.txt";
    job.mOutputPath = show.Folder() / "out.mp4";
    ExportSession session(job);
    session.Start();
    session.Wait();
    EXPECT_FALSE(session.Succeeded());
    EXPECT_EQ(session.ErrorMessage(),
        "Cannot read the project file \"" + job.mProjectPath.string() + "\": no such file");
    EXPECT_FALSE(std::filesystem::exists(job.mOutputPath));
}

} // namespace
