// pellora-export-bench: the measuring steps of export_bench.sh. Each step is its own process, so
// that its peak memory is its own. Figures go to stdout as "key=value" words on one line.
//
//   make-show DIR                          12 photos of 4000 x 3000, 60 s of music, a 60-second project
//   export PROJECT OUT.mp4 WxH SPEED       the whole export, render and encoder threads
//   dump PROJECT FRAMES.raw WxH            the same frames, rendered only, written raw (B, G, R, 255)
//   encode PROJECT FRAMES.raw OUT.mp4 WxH SPEED
//                                          the encoder alone on the dumped frames, and the colour
//                                          conversion alone on the first of them

#include "DemoContent.h"

#include "ExportSession.h"
#include "FFmpegSupport.h"
#include "RenderedFrames.h"
#include "VideoEncoder.h"
#include "project/Paths.h"
#include "project/ProjectSettings.h"

#include <QGuiApplication>
#include <QImage>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kPhotos = 12;
constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;
constexpr unsigned kShowSeconds = 60;
constexpr int kFPS = 30;
constexpr uint32_t kSeed = 1;
constexpr int kConversionFrames = 300;

using Arguments = std::vector<std::string>;

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

Export::ShowOverrides Overrides(const std::string& size)
{
    int width = 0;
    int height = 0;
    if (std::sscanf(size.c_str(), "%dx%d", &width, &height) != 2) {
        throw std::runtime_error("size must be WIDTHxHEIGHT, got " + size);
    }
    return {{{width, height}}, kFPS, kSeed};
}

Export::ExportJob Job(const std::string& project, const std::string& out, const std::string& size, int speed)
{
    Export::ExportJob job;
    job.mProjectPath = project;
    job.mOutputPath = out;
    job.mQualityVsSpeed = speed;
    Export::ReadShowFormat(job, Overrides(size));
    return job;
}

// Photos with fine grain on top of the painting, so that decoding them costs what a camera's does.
QImage GrainyPhoto(int index)
{
    QImage photo = Pellora::Render::PaintDemoPhoto(index, kPhotoWidth, kPhotoHeight);
    uint32_t state = 2463534242u + static_cast<uint32_t>(index);
    for (int y = 0; y < photo.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int grain = static_cast<int>(state % 25) - 12;
            pixel[x] = qRgb(std::clamp(qRed(pixel[x]) + grain, 0, 255), std::clamp(qGreen(pixel[x]) + grain, 0, 255),
                std::clamp(qBlue(pixel[x]) + grain, 0, 255));
        }
    }
    return photo;
}

int MakeShow(const Arguments& args)
{
    const std::filesystem::path folder = args.at(0);
    std::filesystem::create_directories(folder);
    ProjectSettings project;
    project.m_ScreenWidth = 1280;
    project.m_ScreenHeight = 720;
    project.m_FPS = kFPS;
    project.m_Duration = kShowSeconds;
    project.m_PlainTextTitle = u"Pellora Benchmark";
    for (int i = 0; i < kPhotos; ++i) {
        const auto path = folder / ("photo-" + std::to_string(i) + ".jpg");
        if (!GrainyPhoto(i).save(QString::fromStdString(path.string()), "JPEG", 92)) {
            throw std::runtime_error("cannot write " + path.string());
        }
        project.m_OrigImages.push_back(FromPath(path));
        project.m_Thumbnails.emplace_back();
        project.m_Brightness.push_back(100);
    }
    Pellora::Render::WriteDemoMusic(folder / "music.wav", kShowSeconds);
    project.m_MP3 = FromPath(folder / "music.wav");
    if (!project.Save(FromPath(folder / "project.txt"))) {
        throw std::runtime_error("cannot write the project");
    }
    std::cout << (folder / "project.txt").string() << "\n";
    return 0;
}

int BenchExport(const Arguments& args)
{
    Export::ExportSession session(Job(args.at(0), args.at(1), args.at(2), std::stoi(args.at(3))), Overrides(args.at(2)));
    session.Start();
    session.Wait();
    if (!session.Succeeded()) {
        throw std::runtime_error(session.ErrorMessage());
    }
    const Export::ExportTimings& t = session.Timings();
    const int frames = session.Progress().FramesDone;
    std::printf("frames=%d wall_s=%.2f fps=%.2f peak_mb=%.0f prepare_s=%.2f render_s=%.2f render_wait_s=%.2f "
                "encode_s=%.2f encoder_wait_s=%.2f\n",
        frames, t.mTotal, frames / t.mTotal, PeakMegabytes(), t.mPrepare, t.mRender, t.mRenderWait, t.mEncode,
        t.mEncoderWait);
    return 0;
}

int Dump(const Arguments& args)
{
    const Export::ExportJob job = Job(args.at(0), args.at(1), args.at(2), 0);
    std::FILE* out = std::fopen(args.at(1).c_str(), "wb");
    if (out == nullptr) {
        throw std::runtime_error("cannot write " + args.at(1));
    }
    Export::ExportTimings timings;
    const std::atomic<bool> cancelled{false};
    Export::RenderedFrames frames(job, kSeed, cancelled, timings);
    Export::FrameView frame;
    const auto bytes = static_cast<std::size_t>(job.mWidth) * static_cast<std::size_t>(job.mHeight) * 4;
    int count = 0;
    Export::Stopwatch watch;
    while (frames.NextFrame(frame) && std::fwrite(frame.mPixels, 1, bytes, out) == bytes) {
        ++count;
    }
    frames.Stop();
    const double wall = watch.Lap();
    std::fclose(out);
    std::printf("frames=%d wall_s=%.2f prepare_s=%.2f render_s=%.2f render_fps=%.2f\n", count, wall, timings.mPrepare,
        timings.mRender, count / timings.mRender);
    return 0;
}

// Frames read back from a dump; the time spent reading is kept apart from the encoder's.
class DumpedFrames final : public Export::FrameSource {
public:
    DumpedFrames(const std::string& path, int width, int height)
        : mFile(std::fopen(path.c_str(), "rb"))
        , mPixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        , mStride(width * 4)
    {
        if (mFile == nullptr) {
            throw std::runtime_error("cannot read " + path);
        }
    }
    ~DumpedFrames() override { std::fclose(mFile); }
    DumpedFrames(const DumpedFrames&) = delete;
    DumpedFrames& operator=(const DumpedFrames&) = delete;

    bool NextFrame(Export::FrameView& frame) override
    {
        Export::Stopwatch watch;
        const bool read = std::fread(mPixels.data(), 1, mPixels.size(), mFile) == mPixels.size();
        mReadSeconds += watch.Lap();
        frame = {mPixels.data(), mStride, false};
        return read;
    }
    void Stop() override {}

    double mReadSeconds = 0.0;

private:
    std::FILE* mFile;
    std::vector<uint8_t> mPixels;
    int32_t mStride;
};

// Seconds per frame of the encoder thread's colour conversion alone, as the video track sets it up.
double ConversionSeconds(const std::string& dump, int width, int height)
{
    DumpedFrames frames(dump, width, height);
    const Export::SwsContextPtr scaler(sws_getContext(width, height, AV_PIX_FMT_BGR0, width, height,
        AV_PIX_FMT_YUV420P, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(scaler.get(), bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    const Export::FramePtr picture = Export::AllocateFrame();
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = width;
    picture->height = height;
    Export::CheckFFmpeg(av_frame_get_buffer(picture.get(), 0), "Could not allocate a frame");
    double seconds = 0.0;
    int count = 0;
    Export::FrameView frame;
    for (; count < kConversionFrames && frames.NextFrame(frame); ++count) {
        Export::Stopwatch watch;
        sws_scale(scaler.get(), &frame.mPixels, &frame.mStrideBytes, 0, height, picture->data, picture->linesize);
        seconds += watch.Lap();
    }
    return count > 0 ? seconds / count : 0.0;
}

int EncodeDump(const Arguments& args)
{
    const Export::ExportJob job = Job(args.at(0), args.at(2), args.at(3), std::stoi(args.at(4)));
    Export::ExportProgress progress;
    DumpedFrames frames(args.at(1), job.mWidth, job.mHeight);
    Export::VideoEncoder encoder(job, progress);
    Export::Stopwatch watch;
    if (!encoder.Run(frames)) {
        throw std::runtime_error(encoder.ErrorMessage());
    }
    const double wall = watch.Lap();
    const double encode = wall - frames.mReadSeconds;
    const int count = progress.FramesDone;
    std::printf("frames=%d wall_s=%.2f read_s=%.2f encode_s=%.2f fps=%.2f peak_mb=%.0f convert_ms_per_frame=%.2f\n",
        count, wall, frames.mReadSeconds, encode, count / encode, PeakMegabytes(),
        1000.0 * ConversionSeconds(args.at(1), job.mWidth, job.mHeight));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    av_log_set_level(AV_LOG_FATAL);
    const Arguments args(argv + 1, argv + argc);
    const std::string command = args.empty() ? "" : args[0];
    const Arguments rest(args.empty() ? args.end() : args.begin() + 1, args.end());
    try {
        if (command == "make-show") {
            return MakeShow(rest);
        }
        if (command == "export") {
            return BenchExport(rest);
        }
        if (command == "dump") {
            return Dump(rest);
        }
        if (command == "encode") {
            return EncodeDump(rest);
        }
    } catch (const std::exception& error) {
        std::cerr << "pellora-export-bench: " << error.what() << "\n";
        return 1;
    }
    std::cerr << "usage: pellora-export-bench make-show DIR | export PROJECT OUT.mp4 WxH SPEED | dump PROJECT "
                 "FRAMES.raw WxH | encode PROJECT FRAMES.raw OUT.mp4 WxH SPEED\n";
    return 2;
}
