#pragma once

// A small show for the export tests: a few generated photos and a project at 160 × 90 that the
// tests export at other sizes through overrides, so that they can also tell the project file stays
// as it was. Optionally with a WAV file as the project's music.

#include "../show/ShowFixture.h"
#include "FileChecks.h"
#include "MediaProbe.h"

#include <QColor>

#include <filesystem>
#include <string>

namespace ExportTest {

class ExportTestShow {
public:
    // musicSeconds 0: no music. seconds: the show's length.
    explicit ExportTestShow(double musicSeconds = 0.0, std::u16string musicOverride = {}, unsigned seconds = 20)
    {
        auto project = Rendering::Testing::ShowFolder::MakeProject(
            {mShow.AddPhoto("wide.png", 480, 270, QColor(200, 60, 40)),
                mShow.AddPhoto("tall.png", 270, 400, QColor(40, 160, 220)),
                mShow.AddPhoto("square.png", 300, 300, QColor(240, 200, 40)),
                mShow.AddPhoto("green.png", 400, 300, QColor(60, 180, 90))},
            seconds);
        if (musicSeconds > 0.0) {
            const auto music = mShow.Folder() / "music.wav";
            WriteWav(music, musicSeconds, 44100, 2);
            project.m_MP3 = FromPath(music);
        }
        if (!musicOverride.empty()) {
            project.m_MP3 = musicOverride;
        }
        mProjectPath = mShow.Save(project);
        mProjectBytes = ReadBytes(mProjectPath);
    }

    const std::filesystem::path& Folder() const { return mShow.Folder(); }
    const std::filesystem::path& ProjectPath() const { return mProjectPath; }
    bool ProjectUnchanged() const { return ReadBytes(mProjectPath) == mProjectBytes; }

private:
    Rendering::Testing::ShowFolder mShow;
    std::filesystem::path mProjectPath;
    std::string mProjectBytes;
};

} // namespace ExportTest
