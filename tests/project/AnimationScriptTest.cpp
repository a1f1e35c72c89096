#include "project/AnimationScript.h"

#include "TestFiles.h"

#include <pellora_resources.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr float kRad = 0.017453292F;

void ExpectKeyFrame(const KeyFrame& actual, KeyFrame expected)
{
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
  EXPECT_FLOAT_EQ(actual.t, expected.t);
}

AnimationScript Builtin(int number)
{
  auto script = LoadScript(number);
  EXPECT_TRUE(script.has_value()) << number;
  return script.value_or(AnimationScript{});
}

TEST(BuiltinScripts, AreCrLfTextWithTheExpectedEntries)
{
  const std::pair<int, std::size_t> counts[] = {{340, 8}, {341, 3}, {342, 3}, {343, 3}};
  for (const auto& [number, count] : counts) {
    SCOPED_TRACE(number);
    const auto bytes = Pellora::Resources::Find(std::to_string(number));
    const std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1);
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
    const AnimationScript script = Builtin(number);
    ASSERT_EQ(script.size(), count);
    for (const auto& entry : script) {
      EXPECT_EQ(entry->dim, 1024);
      EXPECT_EQ(entry->blur, 1);
    }
  }
  EXPECT_FALSE(LoadScript(324).has_value());
  EXPECT_FALSE(LoadScript(344).has_value());
}

TEST(BuiltinScripts, MainCollage)
{
  const AnimationScript s = Builtin(340);
  ASSERT_EQ(s.size(), 8U);
  EXPECT_EQ(s[0]->comment, "Photo 0 on bottom left");
  EXPECT_FLOAT_EQ(s[0]->scale, 0.6F);
  EXPECT_FLOAT_EQ(s[0]->delay, 0.8F);
  EXPECT_FLOAT_EQ(s[0]->disappear, 2.2F);
  ASSERT_EQ(s[0]->rotate.size(), 1U);
  ExpectKeyFrame(s[0]->rotate[0], {0, 0, -18 * kRad, 0});
  ExpectKeyFrame(s[5]->translate[0], {-0.85F, 0.2F, 0, 0});
  EXPECT_EQ(s[7]->comment, "Big Photo");
  EXPECT_FLOAT_EQ(s[7]->disappear, 3.0F);
  ASSERT_EQ(s[7]->rotate.size(), 4U);
  ASSERT_EQ(s[7]->translate.size(), 4U);
  ExpectKeyFrame(s[7]->rotate[3], {0, 0, -8 * kRad, 0.4F});
  ExpectKeyFrame(s[7]->translate[3], {0.3F, 0.46F, -1.0F, 0.4F});
  EXPECT_TRUE(s[7]->rotate_after.empty());
}

TEST(BuiltinScripts, EndCreditCollage)
{
  const AnimationScript s = Builtin(341);
  ASSERT_EQ(s.size(), 3U);
  EXPECT_FLOAT_EQ(s[0]->disappear, 10.0F);
  EXPECT_FLOAT_EQ(s[2]->disappear, 2.0F);
  EXPECT_FLOAT_EQ(s[1]->delay, 2.4F);
  ASSERT_EQ(s[0]->rotate_after.size(), 5U);
  ExpectKeyFrame(s[0]->rotate_after[4], {36 * kRad, 0, 0, 0.6F});
  ExpectKeyFrame(s[0]->translate_back[1], {0, 0, -2.5F, 1.2F});
  for (int i : {1, 2}) {
    ASSERT_EQ(s[i]->translate.size(), 4U);
    ExpectKeyFrame(s[i]->translate[3], {0, 7.0F, 0, 1.2F});
    ExpectKeyFrame(s[i]->rotate_after[4], {-60 * kRad, 0, 0, 1.2F});
    ExpectKeyFrame(s[i]->translate_after[1], {0, 0, -2.5F, 1.2F});
  }
  ExpectKeyFrame(s[2]->translate[0], {-0.45F, 0, 0, 0});
}

TEST(BuiltinScripts, NullPhotoAndUnusedCollages)
{
  const AnimationScript n = Builtin(342);
  ASSERT_EQ(n.size(), 3U);
  EXPECT_FLOAT_EQ(n[2]->delay, 0.6F);
  EXPECT_FLOAT_EQ(n[2]->scale, 1.1F);
  ASSERT_EQ(n[0]->translate.size(), 6U);
  ExpectKeyFrame(n[0]->translate[5], {-3.0F, 0, 0.033F, 0.6F});
  ExpectKeyFrame(n[1]->rotate[1], {0, 0, 20 * kRad, 0.6F});

  const AnimationScript u = Builtin(343);
  ASSERT_EQ(u.size(), 3U);
  EXPECT_FLOAT_EQ(u[2]->scale, 0.98F);
  EXPECT_FLOAT_EQ(u[1]->disappear, 10.0F);
  ExpectKeyFrame(u[1]->translate[1], {1.6F, -0.8F, 0, 0.2F});
}

struct ScriptCase {
  friend void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  std::string text;
  std::function<void(const AnimationScript&)> check;
};

class ScriptText : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptText, SkipsWhatItCannotUse)
{
  AnimationScript entries;
  EXPECT_TRUE(ParseScript(GetParam().text, entries));
  GetParam().check(entries);
}

INSTANTIATE_TEST_SUITE_P(Lines, ScriptText, testing::Values(
  ScriptCase{"KeyBeforeStartIsIgnored", "delay=1.0\r\nstart=0\r\n",
             [](const AnimationScript& s) {
               ASSERT_EQ(s.size(), 1U);
               EXPECT_EQ(s[0]->delay, 0.0F);
             }},
  ScriptCase{"KeyFrameNeedsFourNumbers", "start=*\r\nrotate=0/0/90/0.5\r\nrotate=0/0/90\r\nrotate=1/2/3/x\r\n"
                                         "rotate_after=1/2/3/4/5\r\n",
             [](const AnimationScript& s) {
               ASSERT_EQ(s[0]->rotate.size(), 1U);
               ExpectKeyFrame(s[0]->rotate[0], {0, 0, 90 * kRad, 0.5F});
               ASSERT_EQ(s[0]->rotate_after.size(), 1U);
               ExpectKeyFrame(s[0]->rotate_after[0], {kRad, 2 * kRad, 3 * kRad, 4});
             }},
  ScriptCase{"BadNumbersKeepPreviousValue", "start=0\nscale=abc\ndim=2x\nblur=99999999999\nscale=2x\n",
             [](const AnimationScript& s) {
               EXPECT_EQ(s[0]->scale, 2.0F);
               EXPECT_EQ(s[0]->dim, 2);
               EXPECT_EQ(s[0]->blur, 9);
             }},
  ScriptCase{"KeysAndValuesAreTrimmed", "start=0\r\n translate = 1/2/3/4 \r\n\tcomment=\t a b \r\n//=x\r\n",
             [](const AnimationScript& s) {
               ASSERT_EQ(s[0]->translate.size(), 1U);
               ExpectKeyFrame(s[0]->translate[0], {1, 2, 3, 4});
               EXPECT_EQ(s[0]->comment, "a b");
             }},
  ScriptCase{"BlankLineEndsScript", "start=0\r\n\r\nstart=0\r\n",
             [](const AnimationScript& s) { EXPECT_EQ(s.size(), 1U); }},
  ScriptCase{"EmptyText", "", [](const AnimationScript& s) { EXPECT_TRUE(s.empty()); }}),
  CaseName<ScriptCase>);

}
