#include "project/CsvStream.h"

#include "TestFiles.h"
#include "project/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

using namespace capi::csv;

namespace {

std::vector<std::string> Tokens(istream_base& in, std::size_t count)
{
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < count; ++i) {
    tokens.push_back(in.next_token());
  }
  return tokens;
}

struct TokenCase {
  friend void PrintTo(const TokenCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  std::string line;
  char delimiter;
  std::string escape;
  std::vector<std::string> tokens;
};

class Tokenizer : public testing::TestWithParam<TokenCase> {};

TEST_P(Tokenizer, SplitsAndUnescapes)
{
  const TokenCase& c = GetParam();
  istringstream in(c.line);
  in.set_delimiter(c.delimiter, c.escape);
  ASSERT_TRUE(in.read_line());
  EXPECT_EQ(Tokens(in, c.tokens.size()), c.tokens);
  EXPECT_EQ(in.token_number(), c.tokens.size());
}

INSTANTIATE_TEST_SUITE_P(Lines, Tokenizer, testing::Values(
  TokenCase{"Plain", "x,y,z", ',', "##", {"x", "y", "z", ""}},
  TokenCase{"QuotedDelimiter", "\"a,b\",c", ',', "##", {"a,b", "c"}},
  TokenCase{"DoubledQuote", "\"a\"\"b\",c", ',', "##", {"a\"b", "c"}},
  TokenCase{"QuoteInsideToken", "ab\"c,d", ',', "##", {"ab\"c", "d"}},
  TokenCase{"UnclosedQuoteRunsToLineEnd", "\",x", ',', "##", {"\",x", ""}},
  TokenCase{"DelimiterEscape", "a<comma>b/c", '/', "<comma>", {"a/b", "c", ""}},
  TokenCase{"NewlineAndQuoteEscapes", "x&newline;y,&quot;q&quot;", ',', "##", {"x\ny", "\"q\""}},
  TokenCase{"EqualsEscape", "PlainTextTitle=1+1#equal;2", '=', "#equal;", {"PlainTextTitle", "1+1=2"}}),
  CaseName<TokenCase>);

TEST(Tokenizer, RestOfLineIsRawAndEmptyOnceUsedUp)
{
  istringstream in("key=a#equal;b=c");
  in.set_delimiter('=', "#equal;");
  ASSERT_TRUE(in.read_line());
  EXPECT_EQ(in.next_token(), "key");
  EXPECT_EQ(in.rest_of_line(), "a#equal;b=c");
  Tokens(in, 3);
  EXPECT_EQ(in.rest_of_line(), "");
}

TEST(Tokenizer, CountsDelimitersOutsideQuotes)
{
  istringstream in("a,\"b,c\",d");
  ASSERT_TRUE(in.read_line());
  EXPECT_EQ(in.count_delimiters(), 2U);
}

struct LineCase {
  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  std::string text;
  std::vector<std::string> lines;
};

std::vector<std::string> AllLines(istream_base& in)
{
  std::vector<std::string> lines;
  while (in.read_line()) {
    lines.push_back(in.rest_of_line());
  }
  return lines;
}

class StringLines : public testing::TestWithParam<LineCase> {};

TEST_P(StringLines, FollowsLineRules)
{
  istringstream in(GetParam().text);
  EXPECT_EQ(AllLines(in), GetParam().lines);
  EXPECT_EQ(in.line_number(), GetParam().lines.size());
}

INSTANTIATE_TEST_SUITE_P(Texts, StringLines, testing::Values(
  LineCase{"CrLf", "a=1\r\nb=2\r\n", {"a=1", "b=2"}},
  LineCase{"BlankCrLfLineEnds", "a\r\n\r\nb\r\n", {"a"}},
  LineCase{"TwoBareLineFeedsAreNoBlankLine", "a\n\nb", {"a", "b"}},
  LineCase{"CrOnlyIsOneLine", "a\rb\rc", {"abc"}},
  LineCase{"Empty", "", {}},
  LineCase{"NoFinalBreak", "a\nb", {"a", "b"}}),
  CaseName<LineCase>);

class FileLines : public testing::TestWithParam<LineCase> {};

TEST_P(FileLines, FollowsLineRules)
{
  TempFolder folder;
  const auto path = folder.File("lines.txt");
  WriteBytes(path, GetParam().text);
  file_istream in;
  ASSERT_TRUE(in.open(ToPath(path)));
  EXPECT_EQ(AllLines(in), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Files, FileLines, testing::Values(
  LineCase{"ByteOrderMarkDropped", "\xEF\xBB\xBF" "App=vidorra\r\nx=1", {"App=vidorra", "x=1"}},
  LineCase{"WithoutByteOrderMark", "App=vidorra\r\n", {"App=vidorra"}},
  LineCase{"ByteOrderMarkOnlyOnFirstLine", "a\n\xEF\xBB\xBF" "b", {"a", "\xEF\xBB\xBF" "b"}},
  LineCase{"BlankLineEndsReading", "a\r\n\r\nb\r\n", {"a"}},
  LineCase{"ByteFFEndsLine", "a\xFF" "b\n", {"a", "b"}},
  LineCase{"CrIgnored", "a\rb\r\nc", {"ab", "c"}},
  LineCase{"ByteOrderMarkAlone", "\xEF\xBB\xBF", {}}),
  CaseName<LineCase>);

TEST(FileLines, ReopenResetsSettingsAndLongLinesSurvive)
{
  TempFolder folder;
  const auto path = folder.File("long.txt");
  const std::string longLine(3 * 1024 * 1024, 'x');
  WriteBytes(path, "k=" + longLine + "\n");
  file_istream in;
  ASSERT_TRUE(in.open(ToPath(path)));
  in.set_delimiter('=', "#equal;");
  ASSERT_TRUE(in.open(ToPath(path)));
  ASSERT_TRUE(in.read_line());
  EXPECT_EQ(in.next_token(), "k=" + longLine);
  EXPECT_FALSE(in.open(ToPath(folder.File("missing.txt"))));
  EXPECT_FALSE(in.read_line());
}

const char* const kIntSignature =
  "class capi::csv::istringstream &__cdecl operator >><int>(class capi::csv::istringstream &,int &)";

TEST(Extraction, ConvertsLongestPrefixAndReportsFailures)
{
  istringstream in("12abc, -7,abc,,99999999999,-1,1.5e3x,1e39,next");
  ASSERT_TRUE(in.read_line());
  int i = 0;
  in >> i;
  EXPECT_EQ(i, 12);
  in >> i;
  EXPECT_EQ(i, -7);
  try {
    in >> i;
    FAIL() << "abc converted";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), std::string("csv::istream_base conversion error at line no.:1, filename:, "
                                                     "token position:3, token:abc, function:") + kIntSignature);
  }
  EXPECT_THROW(in >> i, std::runtime_error);
  EXPECT_THROW(in >> i, std::runtime_error);
  unsigned int u = 7;
  EXPECT_THROW(in >> u, std::runtime_error);
  EXPECT_EQ(u, 7U);
  float f = 0.0F;
  in >> f;
  EXPECT_EQ(f, 1500.0F);
  EXPECT_THROW(in >> f, std::runtime_error);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "next");
}

struct NumberCase {
  const char* text;
  std::optional<std::int32_t> asInt;
  std::optional<std::uint32_t> asUint;
  std::optional<float> asFloat;
};

TEST(NumberText, BehavesLikeTheCLibraryInTheCLocale)
{
  const NumberCase cases[] = {
    {" \t42", 42, 42U, 42.0F},
    {"+3x", 3, 3U, 3.0F},
    {"-2147483648", INT32_MIN, std::nullopt, -2147483648.0F},
    {"2147483648", std::nullopt, 2147483648U, 2147483648.0F},
    {"4294967296", std::nullopt, std::nullopt, 4294967296.0F},
    {"-4294967295", std::nullopt, std::nullopt, -4294967295.0F},
    {"-5", -5, std::nullopt, -5.0F},
    {"-0", 0, 0U, -0.0F},
    {"0.25", 0, 0U, 0.25F},
    {".5", std::nullopt, std::nullopt, 0.5F},
    {"1,5", 1, 1U, 1.0F},
    {"--1", std::nullopt, std::nullopt, std::nullopt},
    {"- 1", std::nullopt, std::nullopt, std::nullopt},
    {"0x1p4", 0, 0U, 16.0F},
    {"", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parse_int(c.text), c.asInt);
    EXPECT_EQ(parse_uint(c.text), c.asUint);
    EXPECT_EQ(parse_float(c.text), c.asFloat);
  }
  EXPECT_FALSE(parse_float("1e39"));
  EXPECT_TRUE(std::isinf(*parse_float("-inf")));
  EXPECT_EQ(format_float(0.25F), "0.250000");
  EXPECT_EQ(format_float(-3.4028235e38F).size(), 47U);
}

TEST(Writer, EscapesItemsAndEndsRecordsWithCrLf)
{
  TempFolder folder;
  const auto path = folder.File("out.txt");
  {
    file_ostream out(ToPath(path));
    ASSERT_TRUE(out.is_open());
    out << separator{'=', "#equal;"};
    out << "App" << "vidorra" << '\n';
    out << "Title" << "a=b" << 1.5F << -7 << 7U << "x\ny" << '\n';
    out << separator{'/', "<comma>"} << "p/q" << 'c' << '\n';
    out.set_delimiter(',', "");
    out << "a,\"b\"" << "plain\"quote" << '\n';
    EXPECT_TRUE(out.close());
  }
  EXPECT_EQ(ReadBytes(path), "App=vidorra\r\n"
                             "Title=a#equal;b=1.500000=-7=7=x&newline;y\r\n"
                             "p<comma>q/c\r\n"
                             "\"a,&quot;b&quot;\",plain\"quote\r\n");
}

TEST(Writer, ReportsFilesThatCannotBeWritten)
{
  TempFolder folder;
  EXPECT_FALSE(file_ostream(folder.Path() / "no" / "such" / "folder.txt").is_open());
  file_ostream full("/dev/full");
  if (!full.is_open()) {
    GTEST_SKIP() << "/dev/full is not available";
  }
  full << std::string(256 * 1024, 'x') << '\n';
  EXPECT_FALSE(full.close());
}

struct Utf8Case {
  friend void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

class Utf : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf, DecodesAndReplacesInvalidBytes)
{
  EXPECT_EQ(Utf8ToUtf16(GetParam().utf8), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf, testing::Values(
  Utf8Case{"Empty", "", u""},
  Utf8Case{"Umlaut", "Strand \xC3\xBC.jpg", u"Strand \u00FC.jpg"},
  Utf8Case{"AstralPlane", "\xF0\x9F\x93\xB7", u"\U0001F4F7"},
  Utf8Case{"StrayContinuation", "a\x80" "b", u"a\uFFFD" "b"},
  Utf8Case{"TruncatedSequence", "a\xE2\x82", u"a\uFFFD"},
  Utf8Case{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
  Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
  Utf8Case{"AboveUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  Utf8Case{"NulKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
  CaseName<Utf8Case>);

TEST(Utf, EncodesAndReplacesLoneSurrogates)
{
  EXPECT_EQ(Utf16ToUtf8(u"Strand \u00FC \U0001F4F7"), "Strand \xC3\xBC \xF0\x9F\x93\xB7");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC00)}),
            "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u""), "");
}

TEST(TrimChars, TrimsBothEndsButKeepsAllBlankTexts)
{
  EXPECT_EQ(TrimChars("  a b\t", " \t"), "a b");
  EXPECT_EQ(TrimChars("   ", " \t"), "   ");
  EXPECT_EQ(TrimChars("", " \t"), "");
  EXPECT_EQ(TrimChars("\r\nv\r\n", "\r\n\t "), "v");
}

}
