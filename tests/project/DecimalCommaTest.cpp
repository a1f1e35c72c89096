#include "project/AnimationScript.h"
#include "project/ProjectSettings.h"

#include "TestFiles.h"
#include "project/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

// Numbers in project files and scripts keep "." as the decimal separator whatever the process
// locale says; here the locale's own separator is ",".
namespace {

class DecimalComma : public testing::Test {
protected:
  void SetUp() override
  {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
      GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (scripts/setup.sh generates it)";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5");
  }

  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(DecimalComma, ProjectFileKeepsDecimalPoint)
{
  TempFolder folder;
  const auto photo = folder.File("photo.jpg");
  WriteBytes(photo, "x");
  ProjectSettings saved;
  saved.m_OrigImages = {photo};
  saved.m_CirclesInfo = {{{{0.25F, -1.5F}}, photo}};
  const auto path = folder.File("project.txt");
  ASSERT_TRUE(saved.Save(path));
  EXPECT_NE(ReadBytes(path).find("/0.250000/-1.500000\r\n"), std::string::npos);

  WriteBytes(path, ReadBytes(path) + "CirclePoints=p/2.75/1,5\r\n");
  ProjectSettings loaded;
  ASSERT_TRUE(loaded.Load(path));
  ASSERT_EQ(loaded.m_CirclesInfo.size(), 2U);
  EXPECT_EQ(loaded.m_CirclesInfo[0].Points[0].X, 0.25F);
  EXPECT_EQ(loaded.m_CirclesInfo[0].Points[0].Y, -1.5F);
  EXPECT_EQ(loaded.m_CirclesInfo[1].Points[0].X, 2.75F);
  EXPECT_EQ(loaded.m_CirclesInfo[1].Points[0].Y, 1.0F);
}

TEST_F(DecimalComma, ScriptsAndConversionsKeepDecimalPoint)
{
  AnimationScript entries;
  ASSERT_TRUE(ParseScript("start=0\r\nscale=1.5\r\ndelay=0,8\r\ntranslate=0.5/-0.25/0.0/1.2\r\n", entries));
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0]->scale, 1.5F);
  EXPECT_EQ(entries[0]->delay, 0.0F);
  ASSERT_EQ(entries[0]->translate.size(), 1U);
  EXPECT_EQ(entries[0]->translate[0].y, -0.25F);
  EXPECT_EQ(entries[0]->translate[0].t, 1.2F);
  EXPECT_EQ(capi::csv::format_float(0.5F), "0.500000");
  EXPECT_EQ(capi::csv::parse_float(" 2.5"), 2.5F);
}

}
