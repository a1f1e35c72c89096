#include "VersionCommand.h"

#include "VideoEncoder.h"
#include "framework/FactorySingleton.h"
#include "framework/GameException.h"

extern "C" {
#include <libavutil/log.h>
}

#include <iostream>
#include <string>

namespace Pellora::Render {

namespace {

std::string RendererName()
{
    try {
        return Library::FactorySingleton::RendererName();
    } catch (const Library::GameException& error) {
        return std::string("none (") + error.what() + ")";
    }
}

std::string EncoderLine(const char* codec, bool h264)
{
    const std::string software = Export::VideoEncoder::WorkingEncoderName(h264, false);
    const std::string hardware = Export::VideoEncoder::WorkingEncoderName(h264, true);
    return std::string(codec) + " encoder: " + (software.empty() ? "none" : software) +
        " (software), hardware: " + (hardware.empty() ? "none opens" : hardware);
}

} // namespace

int PrintVersion()
{
    // The hardware probes complain on machines without the hardware; the lines below say it.
    av_log_set_level(AV_LOG_FATAL);
    std::cout << "pellora-render " << PELLORA_VERSION << "\n"
              << "OpenGL renderer: " << RendererName() << "\n"
              << EncoderLine("H.264", true) << "\n"
              << EncoderLine("HEVC", false) << "\n";
    return 0;
}

} // namespace Pellora::Render
