#include "GameFixture.h"

#include "framework/GameException.h"
#include "framework/TextureRes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace
{
class TextureResTest : public testing::Test
{
protected:
    std::filesystem::path File(const char* name) const
    {
        return std::filesystem::path(mDir.path().toStdString()) / name;
    }

    void ExpectEmpty(const Library::TextureRes& texture)
    {
        EXPECT_FALSE(texture.View);
        EXPECT_EQ(texture.Width, 0u);
        EXPECT_EQ(texture.Height, 0u);
        EXPECT_EQ(texture.FloatWidth, 0.0f);
    }

    QTemporaryDir mDir;
    PelloraTest::SizedGame mSized;
    Library::GraphicsDevice& mDevice = mSized.game->Device();
};

TEST_F(TextureResTest, LoadFromFileMakesASquareTextureAndReportsTheSizes)
{
    const auto path = File("wide.png");
    QImage(300, 200, QImage::Format_RGB32).save(QString::fromStdString(path.string()));
    Library::TextureRes texture;
    std::uint32_t dim = 0;
    std::uint32_t imageWidth = 0;
    std::uint32_t imageHeight = 0;
    texture.LoadFromFile(mDevice, path, dim, imageWidth, imageHeight);
    ASSERT_TRUE(texture.View);
    EXPECT_EQ(dim, 512u);
    EXPECT_EQ(texture.Dim, 512u);
    EXPECT_EQ(texture.View.Texture()->Desc().Width, 512u);
    EXPECT_EQ(texture.View.Texture()->Desc().Height, 512u);
    EXPECT_EQ(texture.Width, 512u);
    EXPECT_EQ(texture.Height, 341u);
    EXPECT_FLOAT_EQ(texture.FloatHeight, 341.0f);
    EXPECT_EQ(texture.Path, path);
    EXPECT_EQ(imageWidth, 300u);
    EXPECT_EQ(imageHeight, 200u);
}

TEST_F(TextureResTest, AFileThatIsNotAPictureLeavesNoViewAndDoesNotThrow)
{
    const auto path = File("text.png");
    std::ofstream(path) << "plain text";
    Library::TextureRes texture;
    std::uint32_t dim = 0;
    std::uint32_t imageWidth = 7;
    std::uint32_t imageHeight = 7;
    EXPECT_NO_THROW(texture.LoadFromFile(mDevice, path, dim, imageWidth, imageHeight));
    ExpectEmpty(texture);
    EXPECT_EQ(dim, 0u);
    EXPECT_EQ(imageWidth, 0u);
}

TEST_F(TextureResTest, LoadFromMemoryKeepsThePicturesOwnSizeAndCopesWithNoBytes)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(30, 20, QImage::Format_ARGB32).save(&buffer, "PNG");
    Library::TextureRes texture;
    texture.LoadFromMemory(mDevice, {reinterpret_cast<const unsigned char*>(png.constData()), std::size_t(png.size())});
    ASSERT_TRUE(texture.View);
    EXPECT_EQ(texture.Width, 30u);
    EXPECT_EQ(texture.Height, 20u);
    EXPECT_TRUE(texture.Path.empty());

    texture.LoadFromMemory(mDevice, {});
    ExpectEmpty(texture);

    const unsigned char garbage[] = {1, 2, 3, 4, 5};
    EXPECT_THROW(texture.LoadFromMemory(mDevice, garbage), Library::GameException);
    ExpectEmpty(texture);
}

TEST_F(TextureResTest, CreateFromImageUsesTheImageSizeAndANullImageLeavesNoView)
{
    Library::TextureRes texture;
    texture.CreateFromImage(mDevice, QImage(64, 16, QImage::Format_ARGB32_Premultiplied), "canvas.png");
    ASSERT_TRUE(texture.View);
    EXPECT_EQ(texture.Dim, 64u);
    EXPECT_EQ(texture.Height, 16u);
    EXPECT_EQ(texture.Path, "canvas.png");
    texture.CreateFromImage(mDevice, QImage());
    ExpectEmpty(texture);
}
}
