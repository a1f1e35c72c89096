#include "VideoTrack.h"

#include "OutputFile.h"

extern "C" {
#include <libavutil/hwcontext.h>
#include <libavutil/imgutils.h>
}

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace Export {

namespace {

constexpr VideoEncoderChoice kH264Choices[] = {
    {"h264_nvenc", EncoderFamily::Nvenc, true},
    {"h264_vaapi", EncoderFamily::Vaapi, true},
    {"libx264", EncoderFamily::X264, false},
};
constexpr VideoEncoderChoice kHevcChoices[] = {
    {"hevc_nvenc", EncoderFamily::Nvenc, true},
    {"hevc_vaapi", EncoderFamily::Vaapi, true},
    {"libx265", EncoderFamily::X265, false},
};

void DescribeFormat(const ExportJob& job, bool globalHeader, AVCodecContext& codec)
{
    codec.width = job.mWidth;
    codec.height = job.mHeight;
    codec.time_base = AVRational{1, job.mFPS};
    codec.framerate = AVRational{job.mFPS, 1};
    codec.sample_aspect_ratio = AVRational{1, 1};
    codec.pix_fmt = AV_PIX_FMT_YUV420P;
    codec.color_range = AVCOL_RANGE_MPEG;
    codec.colorspace = AVCOL_SPC_BT709;
    codec.color_primaries = AVCOL_PRI_BT709;
    codec.color_trc = AVCOL_TRC_BT709;
    if (globalHeader) {
        codec.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
}

// Gives a VAAPI encoder the machine's video device and a pool of NV12 surfaces to encode from;
// false when the machine has no such device.
bool AttachVaapiSurfaces(AVCodecContext& codec)
{
    AVBufferRef* device = nullptr;
    if (av_hwdevice_ctx_create(&device, AV_HWDEVICE_TYPE_VAAPI, nullptr, nullptr, 0) < 0) {
        return false;
    }
    const BufferRefPtr ownedDevice(device);
    BufferRefPtr surfaces(av_hwframe_ctx_alloc(device));
    if (!surfaces) {
        return false;
    }
    auto& pool = *reinterpret_cast<AVHWFramesContext*>(surfaces->data);
    pool.format = AV_PIX_FMT_VAAPI;
    pool.sw_format = AV_PIX_FMT_NV12;
    pool.width = codec.width;
    pool.height = codec.height;
    pool.initial_pool_size = 20;
    if (av_hwframe_ctx_init(surfaces.get()) < 0) {
        return false;
    }
    codec.pix_fmt = AV_PIX_FMT_VAAPI;
    codec.hw_frames_ctx = surfaces.release();
    return true;
}

// The format our pictures are converted to: the encoder's own, or that of its GPU surfaces.
AVPixelFormat PictureFormat(const AVCodecContext& codec)
{
    if (codec.hw_frames_ctx) {
        return reinterpret_cast<const AVHWFramesContext*>(codec.hw_frames_ctx->data)->sw_format;
    }
    return codec.pix_fmt;
}

SwsContextPtr CreateScaler(int32_t width, int32_t height, AVPixelFormat format)
{
    SwsContextPtr scaler(sws_getContext(width, height, AV_PIX_FMT_BGR0, width, height, format,
        SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    if (!scaler) {
        throw EncoderError("Could not set up the colour conversion for " + std::to_string(width) + "x"
            + std::to_string(height) + " frames");
    }
    constexpr int kFullRange = 1;
    constexpr int kVideoRange = 0;
    constexpr int kUnity = 1 << 16;
    sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(SWS_CS_ITU709), kFullRange,
        sws_getCoefficients(SWS_CS_ITU709), kVideoRange, 0, kUnity, kUnity);
    return scaler;
}

FramePtr CreatePicture(const AVCodecContext& codec)
{
    FramePtr frame = AllocateFrame();
    frame->format = PictureFormat(codec);
    frame->width = codec.width;
    frame->height = codec.height;
    CheckFFmpeg(av_frame_get_buffer(frame.get(), 0), "Could not allocate a video frame");
    return frame;
}

// The frame the encoder takes: the picture itself or, for an encoder on the GPU, a copy of it in
// one of the encoder's surfaces.
const AVFrame* Upload(const AVCodecContext& codec, AVFrame& picture, AVFrame& surface)
{
    if (!codec.hw_frames_ctx) {
        return &picture;
    }
    av_frame_unref(&surface);
    CheckFFmpeg(av_hwframe_get_buffer(codec.hw_frames_ctx, &surface, 0), "Could not get a video surface");
    CheckFFmpeg(av_hwframe_transfer_data(&surface, &picture, 0), "Could not upload a frame to the video surface");
    surface.pts = picture.pts;
    return &surface;
}

// Hardware encoders can open and still fail on the first frame (a busy or half-installed driver),
// so an encoder only counts once a black frame went all the way through it.
bool EncodesOneFrame(AVCodecContext& codec)
{
    try {
        const FramePtr picture = CreatePicture(codec);
        const FramePtr surface = AllocateFrame();
        const ptrdiff_t linesizes[4] = {picture->linesize[0], picture->linesize[1], picture->linesize[2],
            picture->linesize[3]};
        CheckFFmpeg(av_image_fill_black(picture->data, linesizes, PictureFormat(codec), AVCOL_RANGE_MPEG,
                        picture->width, picture->height),
            "Could not clear a frame");
        picture->pts = 0;
        CheckFFmpeg(avcodec_send_frame(&codec, Upload(codec, *picture, *surface)), "Could not encode");
        CheckFFmpeg(avcodec_send_frame(&codec, nullptr), "Could not encode");
        const PacketPtr packet = AllocatePacket();
        int result = 0;
        while ((result = avcodec_receive_packet(&codec, packet.get())) >= 0) {
            av_packet_unref(packet.get());
        }
        return result == AVERROR_EOF;
    } catch (const EncoderError&) {
        return false;
    }
}

const char* ProbeEncoderKind(bool h264, bool hardware)
{
    ExportJob probe;
    probe.mH264 = h264;
    probe.mWidth = 320;
    probe.mHeight = 180;
    for (const VideoEncoderChoice& choice : VideoEncoderChoices(h264, true)) {
        if (choice.mHardware != hardware) {
            continue;
        }
        if (CodecContextPtr codec = OpenVideoEncoder(choice, probe, true); codec && EncodesOneFrame(*codec)) {
            return choice.mName;
        }
    }
    return nullptr;
}

StreamEncoder OpenFirstEncoder(const ExportJob& job, OutputFile& output)
{
    for (const VideoEncoderChoice& choice : VideoEncoderChoices(job.mH264, job.mHardware)) {
        // A machine without the hardware would refuse (and complain) in every export.
        if (choice.mHardware && !EncoderKindOpens(job.mH264, true)) {
            continue;
        }
        if (CodecContextPtr codec = OpenVideoEncoder(choice, job, output.WantsGlobalHeader())) {
            AVStream& stream = *output.AddStream();
            StreamEncoder encoder(std::move(codec), stream, "the video");
            if (!job.mH264) {
                // Players that read MP4 natively want the parameter sets in the sample description.
                stream.codecpar->codec_tag = MKTAG('h', 'v', 'c', '1');
            }
            return encoder;
        }
    }
    throw EncoderError(std::string("No ") + (job.mH264 ? "H.264" : "HEVC") + " encoder could be opened for "
        + std::to_string(job.mWidth) + "x" + std::to_string(job.mHeight) + " at " + std::to_string(job.mFPS)
        + " frames per second");
}

} // namespace

std::span<const VideoEncoderChoice> VideoEncoderChoices(bool h264, bool hardware)
{
    const std::span<const VideoEncoderChoice> all = h264 ? std::span(kH264Choices) : std::span(kHevcChoices);
    return hardware ? all : all.last(1);
}

CodecContextPtr OpenVideoEncoder(const VideoEncoderChoice& choice, const ExportJob& job, bool globalHeader)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(choice.mName);
    if (!codec) {
        return nullptr;
    }
    CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context) {
        return nullptr;
    }
    DescribeFormat(job, globalHeader, *context);
    if (choice.mFamily == EncoderFamily::Vaapi && !AttachVaapiSurfaces(*context)) {
        return nullptr;
    }
    Dictionary options;
    options.Set("profile", job.mH264 ? "high" : "main");
    if (choice.mFamily == EncoderFamily::X264) {
        // x264 writes the lowest profile its tools need; the 8x8 transform, which the fastest
        // presets drop, keeps the stream the High profile the file is meant to carry.
        options.Set("8x8dct", "1");
    } else if (choice.mFamily == EncoderFamily::X265) {
        options.Set("x265-params", "log-level=error");
    }
    ApplyTuning(choice.mFamily, job, *context, options);
    if (avcodec_open2(context.get(), codec, options.Address()) < 0) {
        return nullptr;
    }
    return context;
}

const char* WorkingEncoderOfKind(bool h264, bool hardware)
{
    static std::mutex mutex;
    static std::map<std::pair<bool, bool>, const char*> known;
    std::lock_guard lock(mutex);
    const auto [entry, isNew] = known.try_emplace({h264, hardware}, nullptr);
    if (isNew) {
        entry->second = ProbeEncoderKind(h264, hardware);
    }
    return entry->second;
}

bool EncoderKindOpens(bool h264, bool hardware)
{
    return WorkingEncoderOfKind(h264, hardware) != nullptr;
}

VideoTrack::VideoTrack(const ExportJob& job, OutputFile& output)
    : mWidth(job.mWidth)
    , mHeight(job.mHeight)
    , mEncoder(OpenFirstEncoder(job, output))
    , mScaler(CreateScaler(job.mWidth, job.mHeight, PictureFormat(mEncoder.Codec())))
    , mPicture(CreatePicture(mEncoder.Codec()))
    , mSurface(AllocateFrame())
{
}

void VideoTrack::WriteFrame(const FrameView& frame, int64_t index, OutputFile& output)
{
    if (!frame.mPixels || frame.mStrideBytes < mWidth * 4) {
        throw EncoderError("Frame " + std::to_string(index + 1) + " is not a complete picture");
    }
    CheckFFmpeg(av_frame_make_writable(mPicture.get()), "Could not allocate a video frame");
    // A bottom-up picture is read from its last memory row backwards, which flips it without a copy.
    const uint8_t* top = frame.mPixels;
    int stride = frame.mStrideBytes;
    if (frame.mBottomUp) {
        top += static_cast<std::ptrdiff_t>(mHeight - 1) * stride;
        stride = -stride;
    }
    sws_scale(mScaler.get(), &top, &stride, 0, mHeight, mPicture->data, mPicture->linesize);
    mPicture->pts = index;
    mEncoder.Encode(Upload(mEncoder.Codec(), *mPicture, *mSurface), output);
}

void VideoTrack::Flush(OutputFile& output)
{
    mEncoder.Encode(nullptr, output);
}

} // namespace Export
