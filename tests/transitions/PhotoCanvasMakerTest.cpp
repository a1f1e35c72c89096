#include "PhotoCanvasMaker.h"

#include <QColor>
#include <QImageReader>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace Rendering {
namespace {

namespace fs = std::filesystem;

class CanvasTest : public testing::Test
{
protected:
    void SetUp() override
    {
        mFolder = fs::temp_directory_path() / ("pellora-canvas-" + std::to_string(::getpid()));
        fs::remove_all(mFolder);
        fs::create_directories(mFolder);
    }
    void TearDown() override { fs::remove_all(mFolder); }

    // A photo of the given size, one solid colour; written with an EXIF rotation when asked.
    fs::path WritePhoto(const std::string& name, int width, int height, QColor colour = Qt::red,
        QImageIOHandler::Transformations rotation = QImageIOHandler::TransformationNone)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const fs::path path = mFolder / name;
        QImageWriter writer(QString::fromStdString(path.string()));
        writer.setTransformation(rotation);
        EXPECT_TRUE(writer.write(image));
        return path;
    }

    std::vector<PreparedPhoto> Prepare(std::vector<fs::path> paths)
    {
        PhotoCanvasMaker maker;
        maker.photoPaths = std::move(paths);
        maker.prepare();
        return std::move(maker.results);
    }

    fs::path mFolder;
};

struct FitCase
{
    int width, height;
    float texRight, texBottom;
};

class CanvasFitTest : public CanvasTest, public testing::WithParamInterface<FitCase> {};

TEST_P(CanvasFitTest, LongerSideFillsTheSpaceInsideTheBorder)
{
    const auto& c = GetParam();
    const auto results = Prepare({WritePhoto("photo.png", c.width, c.height)});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NEAR(results[0].texRight, c.texRight, 1e-5f);
    EXPECT_NEAR(results[0].texBottom, c.texBottom, 1e-5f);
    EXPECT_EQ(results[0].bitmap.size(), QSize(1024, 1024));
    EXPECT_EQ(results[0].bitmap.format(), QImage::Format_ARGB32_Premultiplied);
}

// Ratios of 4000 x 3000, 3000 x 4000, a square and a 4000 x 400 panorama.
INSTANTIATE_TEST_SUITE_P(Photos, CanvasFitTest,
    testing::Values(FitCase{400, 300, 1.0f, 780.0f / 1024}, FitCase{300, 400, 780.0f / 1024, 1.0f},
        FitCase{200, 200, 1.0f, 1.0f}, FitCase{1000, 100, 1.0f, (48.0f + 97.6f) / 1024}));

TEST_F(CanvasTest, FramedPhotoSitsTopLeftWithWhiteBorderShadedCornersAndTransparentRest)
{
    const auto results = Prepare({WritePhoto("wide.png", 400, 300, QColor(0, 160, 0))});
    ASSERT_EQ(results.size(), 1u);
    const QImage& canvas = results[0].bitmap;
    // Border (0, 0)-(1024, 780), photo (24, 24)-(1000, 756).
    EXPECT_EQ(canvas.pixelColor(12, 400), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(500, 768), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(500, 390), QColor(0, 160, 0));
    for (const QPoint p : {QPoint(500, 790), QPoint(10, 1000), QPoint(1023, 1023)}) {
        EXPECT_EQ(canvas.pixelColor(p).alpha(), 0) << p.x() << "," << p.y();
    }
    // Near each corner of the border rectangle the white turns grey-blue; 100 pixels in it is white.
    for (const QPoint p : {QPoint(2, 2), QPoint(2, 777), QPoint(1021, 777), QPoint(1021, 2)}) {
        const QColor c = canvas.pixelColor(p);
        EXPECT_NEAR(c.red(), 180, 8) << p.x() << "," << p.y();
        EXPECT_GT(c.blue(), c.red() + 8) << p.x() << "," << p.y();
        EXPECT_EQ(c.alpha(), 255);
    }
    EXPECT_EQ(canvas.pixelColor(12, 110), QColor(Qt::white));
}

TEST_F(CanvasTest, OnlyReadablePhotosGiveRecordsInListOrder)
{
    const fs::path a = WritePhoto("a.png", 40, 30);
    const fs::path b = WritePhoto("b.jpg", 30, 40);
    fs::create_directories(mFolder / "folder.png");
    std::ofstream(mFolder / "broken.jpg") << "not a picture";
    const auto results = Prepare({mFolder / "missing.png", a, mFolder / "folder.png", mFolder / "broken.jpg", b});
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].path, a);
    EXPECT_EQ(results[1].path, b);
    EXPECT_TRUE(Prepare({}).empty());
}

TEST_F(CanvasTest, LargePhotoIsDecodedAtReducedSize)
{
    const fs::path photo = WritePhoto("large.png", 1000, 800);
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);  // megabytes: the full photo would not decode
    PhotoCanvasMaker maker;
    maker.canvasSize = 256.0f;
    maker.photoPaths = {photo};
    maker.prepare();
    QImageReader::setAllocationLimit(limit);
    ASSERT_EQ(maker.results.size(), 1u);
    EXPECT_NEAR(maker.results[0].texBottom, (48.0f + 208.0f * 0.8f) / 256, 1e-3f);
}

TEST_F(CanvasTest, ExifOrientationIsApplied)
{
    const auto results =
        Prepare({WritePhoto("rotated.jpg", 300, 200, Qt::blue, QImageIOHandler::TransformationRotate90)});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NEAR(results[0].texRight, (48.0f + 976.0f * 2 / 3) / 1024, 1e-4f);
    EXPECT_FLOAT_EQ(results[0].texBottom, 1.0f);
}

TEST_F(CanvasTest, OnlyARadiusAboveOneBlursEveryRecordAndTheDumpWritesEveryCanvas)
{
    const std::vector<fs::path> photos = {WritePhoto("a.png", 40, 30), WritePhoto("b.png", 30, 40)};
    PhotoCanvasMaker unblurred;
    unblurred.photoPaths = photos;
    unblurred.blurEnabled = false;
    unblurred.prepare();
    for (const std::uint32_t radius : {0u, 1u, 4u}) {
        PhotoCanvasMaker maker;
        maker.photoPaths = photos;
        maker.blurRadius = radius;
        maker.prepare();
        ASSERT_EQ(maker.results.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(maker.results[i].bitmap == unblurred.results[i].bitmap, radius <= 1) << radius << "/" << i;
        }
    }
    PhotoCanvasMaker maker;
    maker.photoPaths = photos;
    maker.dumpFolder = mFolder.string() + "/";
    maker.prepare();
    for (const char* name : {"aaa0.png", "aaa1.png"}) {
        QImageReader reader(QString::fromStdString((mFolder / name).string()));
        EXPECT_EQ(reader.size(), QSize(1024, 1024)) << name;
    }
}

TEST(GaussianBlurTest, UniformImageStaysUniformUpToTheEdges)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(200, 100, 50, 255));
    const QImage before = image;
    GaussianBlur(image, 3);
    EXPECT_EQ(image, before);
}

TEST(GaussianBlurTest, SpotSpreadsSymmetricallyAndKeepsItsWeight)
{
    QImage image(9, 9, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setPixelColor(4, 4, QColor(255, 255, 255, 255));
    GaussianBlur(image, 2);
    const int centre = qAlpha(image.pixel(4, 4));
    EXPECT_LT(centre, 255);
    EXPECT_GT(centre, 0);
    for (const QPoint p : {QPoint(3, 4), QPoint(5, 4), QPoint(4, 3), QPoint(4, 5)}) {
        EXPECT_EQ(qAlpha(image.pixel(p)), qAlpha(image.pixel(3, 4)));
        EXPECT_GT(qAlpha(image.pixel(p)), 0);
        EXPECT_LT(qAlpha(image.pixel(p)), centre);
    }
    int sum = 0;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            sum += qAlpha(image.pixel(x, y));
        }
    }
    EXPECT_NEAR(sum, 255, 25);  // truncation loses a little
}

struct SaveCase
{
    const char* name;
    const char* format;
};

class SaveBitmapTest : public CanvasTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(SaveBitmapTest, ContainerFollowsTheEndOfTheName)
{
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::gray);
    const fs::path path = mFolder / GetParam().name;
    SaveBitmapToFile(image, path);
    SaveBitmapToFile(image, path);  // replaces the existing file
    QImageReader reader(QString::fromStdString(path.string()));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format().toStdString(), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(Names, SaveBitmapTest,
    testing::Values(SaveCase{"x.png", "png"}, SaveCase{"x.jpg", "jpeg"}, SaveCase{"x.jpeg", "jpeg"},
        SaveCase{"x.jpg+", "jpeg"}, SaveCase{"x.JPG", "png"}, SaveCase{"x.bmp", "png"}, SaveCase{"a.b", "png"}));

TEST_F(CanvasTest, UnwritableDumpTargetIsReported)
{
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    EXPECT_ANY_THROW(SaveBitmapToFile(image, mFolder / "no" / "such" / "x.png"));
}

}  // namespace
}  // namespace Rendering
