#include "project/AnimationScript.h"
#include "project/ProjectSettings.h"

#include "TestFiles.h"
#include "project/CsvStream.h"

#include <gtest/gtest.h>

#include <random>

// Hostile project files and scripts must load (or be refused) without a crash or a hang.
namespace {

std::string ValidProject(const std::u16string& photo)
{
  const std::string path = Utf16ToUtf8(photo);
  std::string escaped;
  for (char ch : path) {
    escaped += ch == '/' ? std::string("<comma>") : std::string(1, ch);
  }
  return "App=vidorra\r\nMP3=m.mp3\r\nBackgroundImage=" + escaped + "/1024/1024/682/1/2/80\r\n"
         "PlainTextTitle=Title\r\nBrightness=50\r\nOrigImage=" + escaped + "\r\nCirclePoints=" + escaped +
         "/0.25/0.5\r\nEndCreditInfo=" + escaped + "/Sans/a&newline;b/1\r\n";
}

std::string RandomBytes(std::mt19937& random, std::size_t size)
{
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    byte = static_cast<char>(random() & 0xFF);
  }
  return bytes;
}

class BadInput : public testing::Test {
protected:
  bool Load(const std::string& bytes, ProjectSettings& settings)
  {
    WriteBytes(mPath, bytes);
    return settings.Load(mPath);
  }

  TempFolder mFolder;
  std::u16string mPath = mFolder.File("project.txt");
};

TEST_F(BadInput, EveryTruncationOfAProjectLoads)
{
  const auto photo = mFolder.File("photo.jpg");
  WriteBytes(photo, "x");
  const std::string full = ValidProject(photo);
  for (std::size_t size = 0; size <= full.size(); ++size) {
    ProjectSettings settings;
    EXPECT_EQ(Load(full.substr(0, size), settings), size >= 11) << size;
    AnimationScript entries;
    EXPECT_TRUE(ParseScript(full.substr(0, size), entries));
  }
}

TEST_F(BadInput, GarbageNulBytesAndOddLineEnds)
{
  std::mt19937 random(1234);
  for (int i = 0; i < 50; ++i) {
    const std::string garbage = RandomBytes(random, 1 + random() % 4096);
    ProjectSettings settings;
    Load("App=vidorra\r\n" + garbage, settings);
    AnimationScript entries;
    ParseScript(garbage, entries);
  }
  ProjectSettings nul;
  const char withNul[] = "App=vidorra\nPlainTextTitle=a\0b\nFPS=\0" "5\nScreenWidth=7\0";
  ASSERT_TRUE(Load(std::string(withNul, sizeof withNul - 1), nul));
  EXPECT_EQ(nul.m_PlainTextTitle, std::u16string(u"a\0b", 3));
  EXPECT_EQ(nul.m_FPS, 30);
  EXPECT_EQ(nul.m_ScreenWidth, 7);

  ProjectSettings crOnly;
  ASSERT_TRUE(Load("App=vidorra\rFPS=5\rScreenWidth=7\r", crOnly));
  EXPECT_EQ(crOnly.m_App, "vidorraFPS=5ScreenWidth=7");

  ProjectSettings bomOnly;
  EXPECT_FALSE(Load("\xEF\xBB\xBF", bomOnly));
}

TEST_F(BadInput, HugeLineAndManyPhotos)
{
  const std::string huge(10 * 1024 * 1024, 'x');
  ProjectSettings longTitle;
  ASSERT_TRUE(Load("App=vidorra\r\nPlainTextTitle=" + huge + "\r\nFPS=5\r\n", longTitle));
  EXPECT_EQ(longTitle.m_PlainTextTitle.size(), huge.size());
  EXPECT_EQ(longTitle.m_FPS, 5);
  AnimationScript entries;
  EXPECT_TRUE(ParseScript("start=0\ncomment=" + huge + "\n", entries));
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0]->comment.size(), huge.size());

  const auto photo = mFolder.File("photo.jpg");
  WriteBytes(photo, "x");
  std::string many = "App=vidorra\r\n";
  const std::string line = "OrigImage=" + capi::csv::replace_all(Utf16ToUtf8(photo), "/", "<comma>") + "\r\n";
  for (int i = 0; i < 100000; ++i) {
    many += line;
  }
  ProjectSettings manyPhotos;
  ASSERT_TRUE(Load(many, manyPhotos));
  EXPECT_EQ(manyPhotos.m_OrigImages.size(), 100000U);
  EXPECT_EQ(manyPhotos.m_CirclesInfo.size(), 100000U);
}

}
