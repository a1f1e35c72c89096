#pragma once

// Writes throw-away shows for the tests: generated photos and a project file in a fresh temporary
// folder that is removed again with the fixture.

#include "project/ProjectSettings.h"
#include "project/Paths.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace Rendering::Testing {

// The show draws its texts with Qt's fonts, which need a QGuiApplication (offscreen in the tests).
class GuiApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance() == nullptr) {
            mApplication = std::make_unique<QGuiApplication>(mArgc, mArgv.data());
        }
    }
    void TearDown() override { mApplication.reset(); }

private:
    int mArgc = 1;
    char mName[12] = "show-tests";
    std::array<char*, 2> mArgv{mName, nullptr};
    std::unique_ptr<QGuiApplication> mApplication;
};

inline testing::Environment* const GuiApplication = testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

class ShowFolder {
public:
    ShowFolder()
    {
        auto pattern = (std::filesystem::temp_directory_path() / "pellora-show-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        mFolder = pattern;
    }
    ~ShowFolder() { std::filesystem::remove_all(mFolder); }
    ShowFolder(const ShowFolder&) = delete;
    ShowFolder& operator=(const ShowFolder&) = delete;

    const std::filesystem::path& Folder() const { return mFolder; }

    // A PNG photo of one colour; returns its path.
    std::filesystem::path AddPhoto(const std::string& name, int width, int height, QColor colour = Qt::gray)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const auto path = mFolder / name;
        if (!image.save(QString::fromStdString(path.string()), "PNG")) {
            throw std::runtime_error("cannot write " + path.string());
        }
        return path;
    }

    // count photos of one size named prefix0.png, prefix1.png, ...; returns their paths in order.
    std::vector<std::filesystem::path> AddPhotos(const std::string& prefix, int count, int width, int height)
    {
        std::vector<std::filesystem::path> paths;
        for (int i = 0; i < count; ++i) {
            paths.push_back(AddPhoto(prefix + std::to_string(i) + ".png", width, height));
        }
        return paths;
    }

    // A project at the given frame size listing the photos in order.
    static ProjectSettings MakeProject(const std::vector<std::filesystem::path>& photos, unsigned duration,
        int width = 160, int height = 90)
    {
        ProjectSettings project;
        project.m_ScreenWidth = width;
        project.m_ScreenHeight = height;
        project.m_Duration = duration;
        project.m_ShowSinewave = false;
        for (const auto& photo : photos) {
            project.m_OrigImages.push_back(FromPath(photo));
            project.m_Thumbnails.emplace_back();
            project.m_Brightness.push_back(100);
        }
        return project;
    }

    std::filesystem::path Save(const ProjectSettings& project, const std::string& name = "project.txt") const
    {
        const auto path = mFolder / name;
        if (!ProjectSettings(project).Save(FromPath(path))) {
            throw std::runtime_error("cannot write " + path.string());
        }
        return path;
    }

private:
    std::filesystem::path mFolder;
};

} // namespace Rendering::Testing
