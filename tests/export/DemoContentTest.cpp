#include "DemoContent.h"

#include "MediaProbe.h"

#include "../show/ShowFixture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace Pellora::Render;

TEST(DemoContent, WritesAShowOfMixedPhotosWithMusicTitleAndCredits)
{
    // The show fixture runs a QGuiApplication for every test of this program.
    const Rendering::Testing::ShowFolder folder;
    ProjectSettings project;
    ASSERT_TRUE(project.Load(FromPath(WriteDemoShow(folder.Folder()))));

    EXPECT_EQ(project.m_ScreenWidth, 1280);
    EXPECT_EQ(project.m_ScreenHeight, 720);
    EXPECT_EQ(project.m_FPS, 30);
    EXPECT_EQ(project.m_Duration, 30u);
    EXPECT_EQ(project.m_PlainTextTitle, u"Pellora Demo");
    std::vector<std::size_t> credits;
    EXPECT_EQ(project.GetEndCreditIndexes(credits), 2u);
    ASSERT_GE(project.m_OrigImages.size(), 8u);
    std::set<double> aspects;
    bool portrait = false;
    for (const auto& path : project.m_OrigImages) {
        const QImage photo(QString::fromStdString(ToPath(path).string()));
        ASSERT_FALSE(photo.isNull()) << ToPath(path);
        aspects.insert(static_cast<double>(photo.width()) / photo.height());
        portrait = portrait || photo.height() > photo.width();
        // A painting that left the picture one colour would not show anything.
        EXPECT_NE(photo.pixel(photo.width() / 4, photo.height() / 4), photo.pixel(photo.width() / 2, photo.height() * 3 / 4))
            << ToPath(path);
    }
    EXPECT_TRUE(portrait);
    EXPECT_GE(aspects.size(), 4u);

    const ExportTest::FileFacts music = ExportTest::Probe(ToPath(project.m_MP3));
    ASSERT_TRUE(music.mAudio);
    EXPECT_EQ(music.mAudio->mSampleRate, 44100);
    EXPECT_EQ(music.mAudio->mChannels, 2);
    EXPECT_NEAR(music.mAudio->mDuration, 30.0, 0.01);
}

} // namespace
