// Checks the built-in pictures as the program embeds them: sizes and formats of all, the exact
// formulas of the ramp and the two frame pictures, and the cell layout of the title letters.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <pellora_resources.h>

#include <ostream>
#include <string>

namespace {

constexpr int CellSide = 128;
constexpr int UsedCells = 36;

QByteArray Bytes(const char* key)
{
  const auto bytes = Pellora::Resources::Find(key);
  return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QImage Decode(const char* key)
{
  return QImage::fromData(Bytes(key));
}

struct PictureCase {
  const char* mKey;
  const char* mFormat;
  int mWidth;
  int mHeight;
  bool mAlpha;
};

void PrintTo(const PictureCase& c, std::ostream* out)
{
  *out << "resource " << c.mKey;
}

class PictureFormat : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureFormat, HasItsSizeAndFormat)
{
  const PictureCase& c = GetParam();
  QByteArray bytes = Bytes(c.mKey);
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer);
  EXPECT_EQ(reader.format().toStdString(), c.mFormat);
  const QImage image = reader.read();
  ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
  EXPECT_EQ(image.width(), c.mWidth);
  EXPECT_EQ(image.height(), c.mHeight);
  EXPECT_EQ(image.hasAlphaChannel(), c.mAlpha);
}

INSTANTIATE_TEST_SUITE_P(Embedded, PictureFormat,
    testing::Values(PictureCase{"324", "png", 1024, 1024, true}, PictureCase{"325", "png", 1024, 1024, true},
                    PictureCase{"326", "jpeg", 2048, 2048, false}, PictureCase{"327", "png", 128, 128, false},
                    PictureCase{"328", "png", 1024, 1024, true}, PictureCase{"329", "png", 1024, 1024, true},
                    PictureCase{"334", "jpeg", 626, 424, false}),
    [](const testing::TestParamInfo<PictureCase>& param) { return std::string("Resource") + param.param.mKey; });

TEST(GreyRamp, RowsFollowTheCosineAndAreBlackBelowNinetyDegrees)
{
  const QImage ramp = Decode("327");
  ASSERT_EQ(ramp.size(), QSize(128, 128));
  // Row y holds the integer nearest to 255 cos(y degrees); the tie at 60 degrees rounds up.
  const std::pair<int, int> rows[] = {{0, 255}, {1, 255}, {10, 251}, {30, 221}, {45, 180}, {60, 128},
                                      {71, 83}, {72, 79}, {89, 4}, {90, 0}, {91, 0}, {127, 0}};
  for (const auto& [y, grey] : rows) {
    for (const int x : {0, 63, 127}) {
      EXPECT_EQ(ramp.pixel(x, y), qRgba(grey, grey, grey, 255)) << "x " << x << " y " << y;
    }
  }
}

struct FramePixelCase {
  int mX;
  int mY;
  QRgb mNoShadow;
  QRgb mShadow;
};

constexpr QRgb Clear = qRgba(0, 0, 0, 0);
constexpr QRgb White = qRgba(255, 255, 255, 255);
constexpr QRgb Black = qRgba(0, 0, 0, 255);

constexpr QRgb ShadowAlpha(int alpha)
{
  return qRgba(0, 0, 0, alpha);
}

TEST(FramePictures, PixelsFollowTheFrameFormula)
{
  const QImage plain = Decode("328");
  const QImage shadowed = Decode("329");
  ASSERT_EQ(plain.size(), QSize(1024, 1024));
  ASSERT_EQ(shadowed.size(), QSize(1024, 1024));
  const FramePixelCase cases[] = {
      {0, 0, Clear, Clear},          {10, 500, Clear, Clear},       {500, 10, Clear, Clear},
      {11, 11, White, White},        {101, 500, White, White},      {102, 102, Black, Black},
      {921, 921, Black, Black},      {922, 500, White, White},      {500, 101, White, White},
      {1012, 1012, White, White},    {1013, 500, Clear, ShadowAlpha(144)},
      {1015, 500, Clear, ShadowAlpha(107)},                          {1023, 500, Clear, ShadowAlpha(17)},
      {500, 1018, Clear, ShadowAlpha(70)},                           {500, 1023, Clear, ShadowAlpha(17)},
      {1013, 1013, Clear, ShadowAlpha(144)},                         {1023, 1023, Clear, ShadowAlpha(17)},
      {22, 1013, Clear, ShadowAlpha(17)},                            {27, 1015, Clear, ShadowAlpha(70)},
      {1013, 22, Clear, ShadowAlpha(17)},                            {1020, 30, Clear, ShadowAlpha(46)},
      {21, 1020, Clear, Clear},      {1020, 21, Clear, Clear},      {5, 1020, Clear, Clear},
  };
  for (const FramePixelCase& c : cases) {
    EXPECT_EQ(plain.pixel(c.mX, c.mY), c.mNoShadow) << "no shadow at " << c.mX << ", " << c.mY;
    EXPECT_EQ(shadowed.pixel(c.mX, c.mY), c.mShadow) << "shadow at " << c.mX << ", " << c.mY;
  }
}

struct CellInk {
  int mCovered = 0;
  QRect mBounds;
};

CellInk InkOfCell(const QImage& atlas, int cell)
{
  CellInk ink;
  const QPoint origin((cell % 8) * CellSide, (cell / 8) * CellSide);
  for (int y = 0; y < CellSide; ++y) {
    for (int x = 0; x < CellSide; ++x) {
      if (qAlpha(atlas.pixel(origin + QPoint(x, y))) != 0) {
        ++ink.mCovered;
        ink.mBounds |= QRect(x, y, 1, 1);
      }
    }
  }
  return ink;
}

TEST(LetterAtlas, GlyphCellsHoldInkInTheirLeftPartAndTheRestIsClear)
{
  const QImage letters = Decode("324");
  const QImage shadows = Decode("325");
  ASSERT_EQ(letters.size(), QSize(1024, 1024));
  ASSERT_EQ(shadows.size(), QSize(1024, 1024));
  for (int cell = 0; cell < 64; ++cell) {
    const CellInk letter = InkOfCell(letters, cell);
    const CellInk shadow = InkOfCell(shadows, cell);
    if (cell >= UsedCells) {
      EXPECT_EQ(letter.mCovered + shadow.mCovered, 0) << "cell " << cell;
      continue;
    }
    EXPECT_GT(shadow.mCovered, 300) << "cell " << cell;
    // A margin keeps filtering from picking up a neighbouring cell.
    EXPECT_TRUE(QRect(6, 2, 98, 124).contains(letter.mBounds)) << "cell " << cell;
    EXPECT_TRUE(letter.mBounds.contains(shadow.mBounds)) << "cell " << cell;
  }
}

TEST(LetterAtlas, ShadowIsTheLettersSilhouetteAtOneOpacity)
{
  const QImage letters = Decode("324");
  const QImage shadows = Decode("325");
  ASSERT_EQ(shadows.size(), letters.size());
  for (int y = 0; y < shadows.height(); ++y) {
    for (int x = 0; x < shadows.width(); ++x) {
      const QRgb shadow = shadows.pixel(x, y);
      ASSERT_TRUE(shadow == qRgba(0, 0, 0, 60) || shadow == Clear) << "at " << x << ", " << y;
      const int letterAlpha = qAlpha(letters.pixel(x, y));
      if (letterAlpha == 255) {
        ASSERT_EQ(shadow, qRgba(0, 0, 0, 60)) << "opaque letter pixel without shadow at " << x << ", " << y;
      }
      if (letterAlpha == 0) {
        ASSERT_EQ(shadow, Clear) << "shadow outside the letter at " << x << ", " << y;
      }
    }
  }
}

} // namespace
