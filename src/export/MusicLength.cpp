#include "MusicLength.h"

#include "FFmpegSupport.h"

namespace Export {

std::optional<double> MusicLengthSeconds(const std::filesystem::path& path)
{
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    const InputFormatPtr input(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        return std::nullopt;
    }
    const int index = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0) {
        return std::nullopt;
    }
    const AVStream& sound = *raw->streams[index];
    if (sound.duration != AV_NOPTS_VALUE && sound.duration > 0) {
        return static_cast<double>(sound.duration) * av_q2d(sound.time_base);
    }
    if (raw->duration != AV_NOPTS_VALUE && raw->duration > 0) {
        return static_cast<double>(raw->duration) / AV_TIME_BASE;
    }
    return std::nullopt;
}

} // namespace Export
