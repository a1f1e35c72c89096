#include "framework/PictureDecoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QBuffer>
#include <QTemporaryDir>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace
{
using Library::DecodedPicture;

struct FitCase
{
    int width;
    int height;
    std::uint32_t dimAsked;
    std::uint32_t dim;
    std::uint32_t fittedWidth;
    std::uint32_t fittedHeight;
};

void PrintTo(const FitCase& fit, std::ostream* out)
{
    *out << fit.width << "x" << fit.height << " dim " << fit.dimAsked;
}

std::uint32_t PixelAt(const DecodedPicture& picture, std::uint32_t x, std::uint32_t y)
{
    std::uint32_t value = 0;
    std::memcpy(&value, picture.pixels.data() + (std::size_t{y} * picture.dim + x) * 4, 4);
    return value;
}

// A picture whose every pixel differs from its neighbours, so a wrong copy shows.
QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgba(x % 256, y % 256, (x / 256 + 16 * (y / 256)) % 256, 255));
        }
    }
    return image;
}

class FitTest : public testing::TestWithParam<FitCase>
{
};

// The longer side fills the square texture and the rest repeats the picture's last row
// (landscape) or last column (portrait) all the way to the texture's edge.
TEST_P(FitTest, FitsAndPadsTheLastRowOrColumn)
{
    const FitCase& fit = GetParam();
    const DecodedPicture picture = Library::FitPicture(Gradient(fit.width, fit.height), fit.dimAsked);
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(picture.dim, fit.dim);
    EXPECT_EQ(picture.width, fit.fittedWidth);
    EXPECT_EQ(picture.height, fit.fittedHeight);
    EXPECT_EQ(picture.imageWidth, static_cast<std::uint32_t>(fit.width));
    ASSERT_EQ(picture.pixels.size(), std::size_t{fit.dim} * fit.dim * 4);
    const std::uint32_t lastRow = picture.height - 1;
    const std::uint32_t lastColumn = picture.width - 1;
    for (std::uint32_t y : {0u, picture.dim / 2, picture.dim - 1}) {
        for (std::uint32_t x : {0u, picture.dim / 3, picture.dim - 1}) {
            if (fit.width > fit.height && y > lastRow) {
                EXPECT_EQ(PixelAt(picture, x, y), PixelAt(picture, x, lastRow)) << x << "," << y;
            } else if (fit.width <= fit.height && x > lastColumn) {
                EXPECT_EQ(PixelAt(picture, x, y), PixelAt(picture, lastColumn, y)) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FitTest,
    testing::Values(FitCase{20, 10, 0, 2048, 2048, 1024}, FitCase{1000, 2000, 0, 2048, 1024, 2048},
        FitCase{3000, 2000, 512, 512, 512, 341}, FitCase{100, 100, 0, 128, 128, 128},
        FitCase{5000, 1, 0, 2048, 2048, 1}, FitCase{1, 5000, 256, 256, 1, 256}));

TEST(ChooseTextureDim, FollowsThePowersOfTwoWithTinyPicturesAtTheLargest)
{
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {{1, 2048}, {32, 2048}, {33, 64}, {64, 64}, {65, 128},
        {256, 256}, {512, 512}, {1024, 1024}, {1025, 2048}, {9000, 2048}};
    for (const auto& [side, dim] : cases) {
        EXPECT_EQ(Library::ChooseTextureDim(side), dim) << side;
    }
}

class DecodeFileTest : public testing::Test
{
protected:
    std::filesystem::path File(const char* name) const { return std::filesystem::path(mDir.path().toStdString()) / name; }

    QTemporaryDir mDir;
};

TEST_F(DecodeFileTest, AFileThatIsNotAPictureGivesNothing)
{
    const auto path = File("notes.jpg");
    std::ofstream(path) << "these are not pixels";
    for (const auto& candidate : {path, File("missing.png")}) {
        const DecodedPicture picture = Library::DecodePicture(candidate, 0);
        EXPECT_TRUE(picture.Empty());
        EXPECT_EQ(picture.width, 0u);
        EXPECT_EQ(picture.height, 0u);
        EXPECT_EQ(picture.imageWidth, 0u);
    }
}

// A JPEG whose stored left edge is a red band; with EXIF orientation 6 ("rotate 90 degrees
// clockwise to view"), as phones store portrait photos, that edge is the photo's top.
QByteArray BandedJpeg(int width, int height, bool sideways)
{
    QImage stored(width, height, QImage::Format_RGB32);
    stored.fill(Qt::white);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width / 6; ++x) {
            stored.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "JPEG", 95);
    if (sideways) {
        // APP1 Exif segment, big-endian TIFF with a single Orientation entry set to 6.
        const unsigned char exif[] = {0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0x00, 0x2A, 0, 0,
            0, 8, 0x00, 0x01, 0x01, 0x12, 0x00, 0x03, 0, 0, 0, 1, 0x00, 0x06, 0, 0, 0, 0, 0, 0};
        jpeg.insert(2, reinterpret_cast<const char*>(exif), sizeof(exif));
    }
    return jpeg;
}

struct JpegCase
{
    const char* name;
    int storedWidth;
    int storedHeight;
    bool sideways;
    std::uint32_t dim;
    std::uint32_t uprightWidth;
    std::uint32_t uprightHeight;
    std::uint32_t fittedWidth;
    std::uint32_t fittedHeight;
};

void PrintTo(const JpegCase& jpegCase, std::ostream* out)
{
    *out << jpegCase.name;
}

class JpegDecodeTest : public DecodeFileTest, public testing::WithParamInterface<JpegCase>
{
};

// Photos come out upright, and large ones decoded at reduced size still report their full size
// and fit exactly as a full decode would.
TEST_P(JpegDecodeTest, LoadsUprightWithTheFullPicturesSizes)
{
    const JpegCase& jpegCase = GetParam();
    const auto path = File("photo.jpg");
    const QByteArray jpeg = BandedJpeg(jpegCase.storedWidth, jpegCase.storedHeight, jpegCase.sideways);
    std::ofstream(path, std::ios::binary).write(jpeg.constData(), jpeg.size());
    const DecodedPicture picture = Library::DecodePicture(path, jpegCase.dim);
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(picture.imageWidth, jpegCase.uprightWidth);
    EXPECT_EQ(picture.imageHeight, jpegCase.uprightHeight);
    EXPECT_EQ(picture.width, jpegCase.fittedWidth);
    EXPECT_EQ(picture.height, jpegCase.fittedHeight);
    const std::uint32_t bandX = jpegCase.sideways ? picture.width / 2 : 2;
    const std::uint32_t bandY = jpegCase.sideways ? 2 : picture.height / 2;
    const QColor band = QColor::fromRgba(PixelAt(picture, bandX, bandY));
    const QColor rest = QColor::fromRgba(PixelAt(picture, picture.width - 3, picture.height - 3));
    EXPECT_GT(band.red(), 200);
    EXPECT_LT(band.green(), 80);
    EXPECT_GT(rest.green(), 200);
}

INSTANTIATE_TEST_SUITE_P(Photos, JpegDecodeTest,
    testing::Values(JpegCase{"SmallSideways", 60, 40, true, 64, 40, 60, 42, 64},
        JpegCase{"LargeSidewaysReduced", 1200, 800, true, 256, 800, 1200, 170, 256},
        JpegCase{"LargeLandscapeReduced", 1600, 1000, false, 256, 1600, 1000, 256, 160}),
    [](const testing::TestParamInfo<JpegCase>& testCase) { return std::string(testCase.param.name); });
}

namespace {

struct LargePictureCase
{
    const char* name;
    int width;
    int height;
    QImage::Format format;
    std::uint32_t fittedWidth;
    std::uint32_t fittedHeight;
};

void PrintTo(const LargePictureCase& pictureCase, std::ostream* out)
{
    *out << pictureCase.name;
}

class LargePictureTest : public DecodeFileTest, public testing::WithParamInterface<LargePictureCase>
{
};

// Very long PNGs are decoded at reduced size, after which the decoder has forgotten the picture's
// size; pictures over Qt's default allocation limit (256 MB of pixels) must still decode.
TEST_P(LargePictureTest, DecodesWithItsAspect)
{
    const LargePictureCase& pictureCase = GetParam();
    const auto path = File("large.png");
    {
        QImage picture(pictureCase.width, pictureCase.height, pictureCase.format);
        picture.fill(QColor(30, 160, 60));
        // A quick, light compression: the file is written only to be read back.
        ASSERT_TRUE(picture.save(QString::fromStdString(path.string()), "PNG", 90));
    }
    const DecodedPicture decoded = Library::DecodePicture(path, 0);
    ASSERT_FALSE(decoded.Empty());
    EXPECT_EQ(decoded.imageWidth, static_cast<std::uint32_t>(pictureCase.width));
    EXPECT_EQ(decoded.imageHeight, static_cast<std::uint32_t>(pictureCase.height));
    EXPECT_EQ(decoded.width, pictureCase.fittedWidth);
    EXPECT_EQ(decoded.height, pictureCase.fittedHeight);
    EXPECT_EQ(QColor::fromRgba(PixelAt(decoded, decoded.width / 2, decoded.height / 2)).green(), 160);
}

INSTANTIATE_TEST_SUITE_P(Pictures, LargePictureTest,
    testing::Values(LargePictureCase{"LongPanorama", 9000, 600, QImage::Format_RGB32, 2048, 136},
        LargePictureCase{"OverAllocationLimit", 8200, 4100, QImage::Format_RGBA64, 2048, 1024}),
    [](const testing::TestParamInfo<LargePictureCase>& testCase) { return std::string(testCase.param.name); });

} // namespace
