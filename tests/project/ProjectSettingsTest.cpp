#include "project/ProjectSettings.h"

#include "TestFiles.h"
#include "project/BackgroundPhoto.h"
#include "project/CsvStream.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <iterator>
#include <functional>
#include <future>
#include <thread>

namespace {

constexpr const char* kCrLf = "\r\n";

std::string Lines(std::initializer_list<std::string> lines)
{
  std::string text;
  for (const auto& line : lines) {
    text += line + kCrLf;
  }
  return text;
}

ProjectSettings LoadText(const TempFolder& folder, const std::string& text, bool expected = true)
{
  const auto path = folder.File("project.txt");
  WriteBytes(path, text);
  ProjectSettings settings;
  EXPECT_EQ(settings.Load(path), expected);
  EXPECT_EQ(settings.m_FilePath, path);
  return settings;
}

TEST(ProjectFile, FreshProjectWritesEveryDefault)
{
  TempFolder folder;
  const auto path = folder.File("project.txt");
  ASSERT_TRUE(ProjectSettings().Save(path));
  EXPECT_EQ(ReadBytes(path),
            Lines({"App=vidorra", "Version=10000", "MP3=", "ScreenWidth=800", "ScreenHeight=600", "FPS=30",
                   "BackgroundImage=/0/0/0/0/0/100", "OrigBackgroundImage=", "BackgroundMoving=No",
                   "ShowSinewave=Yes", "Duration=30", "PlainTextTitle=", "PhotoFrame=White", "BackgroundSize=100",
                   "TextureSize=Auto", "GlobalBrightness=100", "TextStyle=Slant 3D Text",
                   "Slant3DTextSpreading=No", "PlainTitleEffect=No", "PlainFontAvailable=No"}));
}

struct HeaderCase {
  friend void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  std::string text;
  bool loads;
};

class ProjectHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(ProjectHeader, AcceptsOnlyTheExpectedFirstLine)
{
  TempFolder folder;
  const ProjectSettings settings = LoadText(folder, GetParam().text, GetParam().loads);
  EXPECT_EQ(settings.m_ScreenWidth, GetParam().loads ? 1024 : 800);
}

INSTANTIATE_TEST_SUITE_P(Files, ProjectHeader, testing::Values(
  HeaderCase{"Plain", "App=vidorra\r\nScreenWidth=1024\r\n", true},
  HeaderCase{"ByteOrderMark", "\xEF\xBB\xBF" "App=vidorra\r\nScreenWidth=1024\r\n", true},
  HeaderCase{"LineFeedOnly", "App=vidorra\nScreenWidth=1024", true},
  HeaderCase{"OtherWord", "App=other\r\nScreenWidth=1024\r\n", false},
  HeaderCase{"Short", "App=vidorr", false},
  HeaderCase{"ByteOrderMarkAlone", "\xEF\xBB\xBF", false},
  HeaderCase{"Empty", "", false}),
  CaseName<HeaderCase>);

TEST(ProjectFile, SaveIntoMissingFolderFails)
{
  TempFolder folder;
  EXPECT_FALSE(ProjectSettings().Save(folder.File("missing/dir") + u"/x/project.txt"));
}

struct LoadFailureCase {
  friend void PrintTo(const LoadFailureCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  std::function<std::u16string(const TempFolder&)> make;
  ProjectLoadResult result;
  const char* reason;
};

class ProjectLoadFailure : public testing::TestWithParam<LoadFailureCase> {};

TEST_P(ProjectLoadFailure, SaysWhy)
{
  TempFolder folder;
  const auto path = GetParam().make(folder);
  if (path.empty()) {
    GTEST_SKIP() << "root reads any file";
  }
  ProjectSettings settings;
  EXPECT_EQ(settings.TryLoad(path), GetParam().result);
  EXPECT_EQ(settings.m_ScreenWidth, 800);
  EXPECT_NE(DescribeLoadResult(GetParam().result).find(GetParam().reason), std::string::npos)
    << DescribeLoadResult(GetParam().result);
  EXPECT_FALSE(ProjectSettings().Load(path));
}

std::u16string Written(const TempFolder& folder, const std::string& text)
{
  const auto path = folder.File("project.txt");
  WriteBytes(path, text);
  return path;
}

INSTANTIATE_TEST_SUITE_P(Files, ProjectLoadFailure, testing::Values(
  LoadFailureCase{"Missing", [](const TempFolder& f) { return f.File("missing.txt"); },
                  ProjectLoadResult::Missing, "no such file"},
  LoadFailureCase{"InMissingFolder", [](const TempFolder& f) { return FromPath(f.Path() / "no" / "p.txt"); },
                  ProjectLoadResult::Missing, "no such file"},
  LoadFailureCase{"Folder", [](const TempFolder& f) { return FromPath(f.Path()); }, ProjectLoadResult::NotAFile,
                  "not a file"},
  LoadFailureCase{"Device", [](const TempFolder&) { return std::u16string(u"/dev/zero"); },
                  ProjectLoadResult::NotAFile, "not a file"},
  LoadFailureCase{"NoPermission",
                  [](const TempFolder& f) {
                    const auto path = Written(f, "App=vidorra\r\nScreenWidth=1024\r\n");
                    std::filesystem::permissions(ToPath(path), std::filesystem::perms::none);
                    return geteuid() == 0 ? std::u16string() : path;
                  },
                  ProjectLoadResult::NoPermission, "permission denied"},
  LoadFailureCase{"OtherProgram", [](const TempFolder& f) { return Written(f, "App=other\r\nScreenWidth=1\r\n"); },
                  ProjectLoadResult::NotAProject, "first line is not \"App=vidorra\""},
  LoadFailureCase{"Empty", [](const TempFolder& f) { return Written(f, ""); }, ProjectLoadResult::NotAProject,
                  "not a project file"}),
  CaseName<LoadFailureCase>);

// The project of a process substitution: a pipe whose writer is still writing when the reader starts.
TEST(ProjectFile, PipeIsReadToItsEnd)
{
  int ends[2] = {};
  ASSERT_EQ(pipe(ends), 0);
  std::thread writer([fd = ends[1]] {
    const std::string head = "App=vidorra\r\n";
    EXPECT_EQ(write(fd, head.data(), head.size()), static_cast<ssize_t>(head.size()));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string rest = "ScreenWidth=1024\r\nDuration=95\r\n";
    EXPECT_EQ(write(fd, rest.data(), rest.size()), static_cast<ssize_t>(rest.size()));
    close(fd);
  });
  ProjectSettings settings;
  EXPECT_EQ(settings.TryLoad(u"/dev/fd/" + Utf8ToUtf16(std::to_string(ends[0]))), ProjectLoadResult::Loaded);
  writer.join();
  close(ends[0]);
  EXPECT_EQ(settings.m_ScreenWidth, 1024);
  EXPECT_EQ(settings.m_Duration, 95U);
}

TEST(ProjectFile, FifoWithoutWriterDoesNotWait)
{
  TempFolder folder;
  const auto fifo = folder.Path() / "project.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto result = std::async(std::launch::async, [&fifo] { return ProjectSettings().TryLoad(FromPath(fifo)); });
  const bool finished = result.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  if (!finished) {
    // Let the stuck reader end so that the test can.
    close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
  }
  ASSERT_TRUE(finished) << "reading a FIFO without a writer waits for one";
  EXPECT_EQ(result.get(), ProjectLoadResult::NotAProject);
}

struct LineCase {
  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  std::string body;
  std::function<void(const ProjectSettings&)> check;
};

class ProjectLines : public testing::TestWithParam<LineCase> {};

TEST_P(ProjectLines, ApplyOrSkipValues)
{
  TempFolder folder;
  GetParam().check(LoadText(folder, "App=vidorra\r\n" + GetParam().body));
}

INSTANTIATE_TEST_SUITE_P(Values, ProjectLines, testing::Values(
  LineCase{"BadNumberSkipsOnlyItsLine", "Duration=12\r\nDuration=abc\r\nFPS=25x\r\n",
           [](const ProjectSettings& s) {
             EXPECT_EQ(s.m_Duration, 12U);
             EXPECT_EQ(s.m_FPS, 25);
           }},
  LineCase{"NegativeOrHugeCountsKeepThePreviousValue",
           "Duration=12\r\nDuration=-5\r\nDuration=4294967296\r\nDuration= -1\r\n"
           "BackgroundSize=70\r\nBackgroundSize=-1\r\nBackgroundSize=3000000000\r\nFPS=-5\r\n",
           [](const ProjectSettings& s) {
             EXPECT_EQ(s.m_Duration, 12U);
             EXPECT_EQ(s.m_BackgroundSize, 70);
             EXPECT_EQ(s.m_FPS, -5);
           }},
  LineCase{"LargestCountStillConverts", "Duration=4294967295\r\n",
           [](const ProjectSettings& s) { EXPECT_EQ(s.m_Duration, 4294967295U); }},
  LineCase{"BackgroundWithMissingFileKeepsNumbersOnly", "BackgroundImage=C:\\no\\such.jpg/1024/800/600/5/6/90\r\n",
           [](const ProjectSettings& s) {
             EXPECT_EQ(s.m_BackgroundDim, 1024);
             EXPECT_EQ(s.m_BackgroundWidth, 800);
             EXPECT_EQ(s.m_BackgroundHeight, 600);
             EXPECT_EQ(s.m_BackgroundBrightness, 90);
             EXPECT_EQ(s.m_BackgroundImage, u"");
             EXPECT_EQ(s.m_BackgroundTimeLow, 0U);
             EXPECT_EQ(s.m_BackgroundTimeHigh, 0U);
           }},
  LineCase{"BackgroundStopsAtBadNumber", "BackgroundImage=x/64/bad/7\r\n",
           [](const ProjectSettings& s) {
             EXPECT_EQ(s.m_BackgroundDim, 64);
             EXPECT_EQ(s.m_BackgroundHeight, 0);
           }},
  LineCase{"CirclePointsKeepFirstTwo", "CirclePoints=p/1/2/3/4/5/6\r\n",
           [](const ProjectSettings& s) {
             ASSERT_EQ(s.m_CirclesInfo.size(), 1U);
             EXPECT_EQ(s.m_CirclesInfo[0].ImagePath, u"p");
             ASSERT_EQ(s.m_CirclesInfo[0].Points.size(), 2U);
             EXPECT_EQ(s.m_CirclesInfo[0].Points[1].X, 3.0F);
             EXPECT_EQ(s.m_CirclesInfo[0].Points[1].Y, 4.0F);
           }},
  LineCase{"CirclePointsBadFloatDropsPath", "CirclePoints=p/1/2/3/x\r\nCirclePoints=\r\n",
           [](const ProjectSettings& s) {
             ASSERT_EQ(s.m_CirclesInfo.size(), 2U);
             EXPECT_EQ(s.m_CirclesInfo[0].ImagePath, u"");
             EXPECT_EQ(s.m_CirclesInfo[0].Points.size(), 1U);
             EXPECT_EQ(s.m_CirclesInfo[1].ImagePath, u"");
             EXPECT_TRUE(s.m_CirclesInfo[1].Points.empty());
           }},
  LineCase{"FramesAndBooleansAreExactWords", "PhotoFrame=none\r\nBackgroundMoving=yes\r\nShowSinewave=No\r\n"
                                             "PlainTitleEffect=Yes\r\n",
           [](const ProjectSettings& s) {
             EXPECT_EQ(s.m_PhotoFrame, static_cast<int>(PhotoFrameStyle::None));
             EXPECT_FALSE(s.m_BackgroundMoving);
             EXPECT_FALSE(s.m_ShowSinewave);
             EXPECT_TRUE(s.m_PlainTitleEffect);
           }},
  LineCase{"BlankLineEndsLoading", "FPS=25\r\n\r\nScreenWidth=1\r\n",
           [](const ProjectSettings& s) {
             EXPECT_EQ(s.m_FPS, 25);
             EXPECT_EQ(s.m_ScreenWidth, 800);
           }},
  LineCase{"KeysAndValuesAreTrimmed", " FPS \t=  24 \r\nTextStyle=7\r\nUnknown=1\r\nPlainTextTitle=1+1#equal;2\r\n",
           [](const ProjectSettings& s) {
             EXPECT_EQ(s.m_FPS, 24);
             EXPECT_EQ(s.m_TextStyle, 0);
             EXPECT_EQ(s.m_PlainTextTitle, u"1+1=2");
           }}),
  CaseName<LineCase>);

class ProjectRoundTrip : public testing::Test {
protected:
  std::u16string Photo(const std::string& name)
  {
    const auto path = mFolder.File(name);
    WriteBytes(path, "picture");
    return path;
  }

  TempFolder mFolder;
};

TEST_F(ProjectRoundTrip, LinuxPathsAndTextsComeBackUnchanged)
{
  ProjectSettings saved;
  const auto beach = Photo("Pictures/Ferien 2024/Strand \xC3\xBC.jpg");
  const auto quote = Photo("Pictures/it's \"fun\"=yes.png");
  const auto background = Photo("Pictures/Ferien 2024/Hintergrund.jpg");
  saved.m_MP3 = FromPath(mFolder.Path()) + u"/Musik/Lied 1.mp3";
  saved.m_ScreenWidth = 1920;
  saved.m_ScreenHeight = 1080;
  saved.m_FPS = 60;
  saved.m_BackgroundImage = background;
  saved.m_BackgroundDim = 1024;
  saved.m_BackgroundWidth = 1024;
  saved.m_BackgroundHeight = 682;
  saved.m_BackgroundTimeLow = 4000000000U;
  saved.m_BackgroundTimeHigh = 31000000U;
  saved.m_BackgroundBrightness = 80;
  saved.m_OrigBackgroundImage = background;
  saved.m_OrigImages = {beach, quote};
  saved.m_Thumbnails = {FromPath(mFolder.Path()) + u"/thumbnail/Strand \u00FC.jpg.thumbnail.jpg", u"/t/b.png"};
  saved.m_BackgroundMoving = true;
  saved.m_ShowSinewave = false;
  saved.m_Duration = 95;
  saved.m_Slant3DTextSpreading = true;
  saved.m_PlainTextTitle = u"1+1=2 \"Sommer\" / 2024";
  saved.m_PhotoFrame = static_cast<int>(PhotoFrameStyle::WhiteNoShadow);
  saved.m_BackgroundSize = 150;
  saved.m_TextureSize = u"1024";
  saved.m_GlobalBrightness = 90;
  saved.m_PlainTitleEffect = true;
  saved.m_PlainFontAvailable = true;
  saved.m_Brightness = {120, 70};
  saved.m_CirclesInfo = {{{{0.25F, 0.5F}, {-1.5F, 2.0F}}, beach}, {{}, quote}};
  saved.SetEndCreditInfo({beach, u"DejaVu Sans", u"x/y\nz \"Danke\" <3", true});
  saved.SetEndCreditInfo({quote, u"Liberation Serif", u"\"quoted\"", false});
  const auto path = mFolder.File("project.txt");
  ASSERT_TRUE(saved.Save(path));
  EXPECT_NE(ReadBytes(path).find("\r\nEndCreditInfo=<comma>"), std::string::npos);

  ProjectSettings loaded;
  ASSERT_TRUE(loaded.Load(path));
  EXPECT_EQ(loaded.m_App, "vidorra");
  EXPECT_EQ(loaded.m_MP3, saved.m_MP3);
  EXPECT_EQ(loaded.m_ScreenWidth, 1920);
  EXPECT_EQ(loaded.m_ScreenHeight, 1080);
  EXPECT_EQ(loaded.m_FPS, 60);
  EXPECT_EQ(loaded.m_BackgroundImage, background);
  EXPECT_EQ(loaded.m_BackgroundDim, 1024);
  EXPECT_EQ(loaded.m_BackgroundWidth, 1024);
  EXPECT_EQ(loaded.m_BackgroundHeight, 682);
  EXPECT_EQ(loaded.m_BackgroundTimeLow, 4000000000U);
  EXPECT_EQ(loaded.m_BackgroundTimeHigh, 31000000U);
  EXPECT_EQ(loaded.m_BackgroundBrightness, 80);
  EXPECT_EQ(loaded.m_OrigBackgroundImage, background);
  EXPECT_EQ(loaded.m_OrigImages, saved.m_OrigImages);
  EXPECT_EQ(loaded.m_Thumbnails, saved.m_Thumbnails);
  EXPECT_TRUE(loaded.m_BackgroundMoving);
  EXPECT_FALSE(loaded.m_ShowSinewave);
  EXPECT_EQ(loaded.m_Duration, 95U);
  EXPECT_TRUE(loaded.m_Slant3DTextSpreading);
  EXPECT_EQ(loaded.m_PlainTextTitle, saved.m_PlainTextTitle);
  EXPECT_EQ(loaded.m_PhotoFrame, saved.m_PhotoFrame);
  EXPECT_EQ(loaded.m_BackgroundSize, 150);
  EXPECT_EQ(loaded.m_TextureSize, u"1024");
  EXPECT_EQ(loaded.m_GlobalBrightness, 90);
  EXPECT_TRUE(loaded.m_PlainTitleEffect);
  EXPECT_TRUE(loaded.m_PlainFontAvailable);
  EXPECT_EQ(loaded.m_Brightness, saved.m_Brightness);
  ASSERT_EQ(loaded.m_CirclesInfo.size(), 1U);
  EXPECT_EQ(loaded.m_CirclesInfo[0].ImagePath, beach);
  ASSERT_EQ(loaded.m_CirclesInfo[0].Points.size(), 2U);
  EXPECT_EQ(loaded.m_CirclesInfo[0].Points[1].X, -1.5F);
  ASSERT_EQ(loaded.m_EndCreditInfo.size(), 2U);
  for (const auto& [image, credit] : saved.m_EndCreditInfo) {
    const EndCreditInfo back = loaded.GetEndCreditInfo(image);
    EXPECT_EQ(back.ImagePath, credit.ImagePath);
    EXPECT_EQ(back.FontName, credit.FontName);
    EXPECT_EQ(back.Text, credit.Text);
    EXPECT_EQ(back.Bold, credit.Bold);
  }
}

TEST_F(ProjectRoundTrip, WindowsFileLoadsAsBefore)
{
  const auto photo = Photo("a.jpg");
  const ProjectSettings s = LoadText(mFolder,
    Lines({"App=vidorra", "MP3=C:\\Music\\Song.mp3", "Brightness=50", "Brightness=60",
           "OrigImage=C:\\Photos\\missing.jpg", "OrigImage=" + capi::csv::replace_all(Utf16ToUtf8(photo), "/", "<comma>"),
           "Thumbnail=C:\\Users\\me\\thumbnail\\a.jpg.thumbnail.jpg", "CirclePoints=C:\\Photos\\a.jpg/0.250000/0.500000",
           "EndCreditInfo=C:\\Photos\\missing.jpg/Arial/x<comma>y&newline;z/1", "PlainTextTitle=1+1#equal;2"}));
  EXPECT_EQ(s.m_MP3, u"C:\\Music\\Song.mp3");
  EXPECT_EQ(s.m_Thumbnails, std::vector<std::u16string>{u"C:\\Users\\me\\thumbnail\\a.jpg.thumbnail.jpg"});
  ASSERT_EQ(s.m_CirclesInfo.size(), 1U);
  EXPECT_EQ(s.m_CirclesInfo[0].ImagePath, u"C:\\Photos\\a.jpg");
  EXPECT_EQ(s.m_CirclesInfo[0].Points[0].Y, 0.5F);
  EXPECT_TRUE(s.m_EndCreditInfo.empty());
  EXPECT_EQ(s.m_PlainTextTitle, u"1+1=2");
  // The missing photo's brightness leaves with it, so the remaining photo keeps its own.
  EXPECT_EQ(s.m_OrigImages, std::vector<std::u16string>{photo});
  EXPECT_EQ(s.m_Brightness, std::vector<std::int32_t>{60});
  EXPECT_EQ(s.m_MissingImages, std::vector<std::u16string>{u"C:\\Photos\\missing.jpg"});
}

TEST_F(ProjectRoundTrip, HandWrittenPlainLinuxPathsLoad)
{
  const auto photo = Photo("Ferien 2024/Strand \xC3\xBC.jpg");
  const std::string plain = Utf16ToUtf8(photo);
  const ProjectSettings s = LoadText(mFolder, Lines({"App=vidorra", "OrigImage=" + plain, "Thumbnail=" + plain + ".t.jpg"}));
  EXPECT_EQ(s.m_OrigImages, std::vector<std::u16string>{photo});
  EXPECT_EQ(s.m_Thumbnails, std::vector<std::u16string>{photo + u".t.jpg"});
}

// Writes fail past a small file-size limit, as on a full disk (and also for root).
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes)
  {
    getrlimit(RLIMIT_FSIZE, &mPrevious);
    mPreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = mPrevious;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit()
  {
    setrlimit(RLIMIT_FSIZE, &mPrevious);
    std::signal(SIGXFSZ, mPreviousHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
  rlimit mPrevious {};
  void (*mPreviousHandler)(int) = nullptr;
};

TEST_F(ProjectRoundTrip, FailedSaveLeavesThePreviousFileAndNoTemporary)
{
  const auto path = mFolder.File("project.txt");
  ProjectSettings saved;
  saved.m_PlainTextTitle = u"first";
  ASSERT_TRUE(saved.Save(path));
  const std::string before = ReadBytes(path);
  saved.m_PlainTextTitle = u"second";
  {
    const FileSizeLimit limit(16);
    EXPECT_FALSE(saved.Save(path));
  }
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.Path()), {}), 1);
}

TEST_F(ProjectRoundTrip, SaveWritesThroughSymbolicLinks)
{
  const auto real = mFolder.File("real.txt");
  ProjectSettings saved;
  saved.m_PlainTextTitle = u"first";
  ASSERT_TRUE(saved.Save(real));
  std::filesystem::permissions(ToPath(real), std::filesystem::perms(0640));
  const auto link = mFolder.File("project.txt");
  std::filesystem::create_symlink("real.txt", ToPath(link));
  const auto dangling = mFolder.File("dangling.txt");
  std::filesystem::create_symlink("later.txt", ToPath(dangling));

  saved.m_PlainTextTitle = u"second";
  ASSERT_TRUE(saved.Save(link));
  ASSERT_TRUE(saved.Save(dangling));

  EXPECT_TRUE(std::filesystem::is_symlink(ToPath(link)));
  EXPECT_TRUE(std::filesystem::is_symlink(ToPath(dangling)));
  EXPECT_EQ(std::filesystem::status(ToPath(real)).permissions(), std::filesystem::perms(0640));
  for (const auto& path : {real, mFolder.File("later.txt")}) {
    ProjectSettings loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.m_PlainTextTitle, u"second");
  }
}

TEST_F(ProjectRoundTrip, EscapesAppearInTheFile)
{
  const auto photo = Photo("a.jpg");
  ProjectSettings saved;
  saved.m_PlainTextTitle = u"1+1=2";
  saved.m_OrigImages = {photo};
  saved.SetEndCreditInfo({photo, u"Sans", u"x/y\nz", false});
  const auto path = mFolder.File("project.txt");
  ASSERT_TRUE(saved.Save(path));
  const std::string text = ReadBytes(path);
  EXPECT_NE(text.find("PlainTextTitle=1+1#equal;2\r\n"), std::string::npos);
  EXPECT_NE(text.find("/Sans/x<comma>y&newline;z/0\r\n"), std::string::npos);
  EXPECT_EQ(text.find("CirclePoints"), std::string::npos);

  ProjectSettings loaded;
  ASSERT_TRUE(loaded.Load(path));
  ASSERT_EQ(loaded.m_CirclesInfo.size(), 1U);
  EXPECT_TRUE(loaded.m_CirclesInfo[0].Points.empty());
  EXPECT_EQ(loaded.GetEndCreditInfo(photo).Text, u"x/y\nz");
}

TEST(ProjectModel, LookupsAndPhotoListConversions)
{
  TempFolder folder;
  const auto a = folder.File("a.jpg");
  const auto b = folder.File("b.jpg");
  WriteBytes(a, "x");
  WriteBytes(b, "x");
  PhotoInfo first;
  first.OrigImage = a;
  first.Thumbnail = u"ta";
  first.Brightness = 40;
  first.Circles = {{{1.0F, 2.0F}}, a};
  first.EndCredit = {a, u"Sans", u"hi", true};
  PhotoInfo second;
  second.OrigImage = b;
  second.EndCredit.ImagePath = b;
  PhotoInfo gone;
  gone.OrigImage = folder.File("gone.jpg");
  gone.EndCredit.ImagePath = gone.OrigImage;

  ProjectSettings s;
  s.SetEndCreditInfo({b, u"Serif", u"old", false});
  s.SetPhotoList({first, second, gone, first});
  EXPECT_EQ(s.m_Thumbnails, (std::vector<std::u16string>{u"ta", u"", u"", u"ta"}));
  EXPECT_EQ(s.m_Brightness, (std::vector<std::int32_t>{40, 100, 100, 40}));
  EXPECT_EQ(s.GetCirclesInfo(a).Points.size(), 1U);
  EXPECT_EQ(s.GetCirclesInfo(u"other").ImagePath, u"other");
  EXPECT_EQ(s.GetEndCreditInfo(u"other").FontName, u"");

  std::vector<std::size_t> indexes{99};
  EXPECT_EQ(s.GetEndCreditIndexes(indexes), 4U);
  EXPECT_EQ(indexes, (std::vector<std::size_t>{0, 3, 1, 2}));

  const std::vector<PhotoInfo> photos = s.GetPhotoList();
  ASSERT_EQ(photos.size(), 3U);
  EXPECT_EQ(photos[0].Brightness, 40);
  EXPECT_EQ(photos[0].EndCredit.Text, u"hi");
  EXPECT_EQ(photos[1].OrigImage, b);
  EXPECT_EQ(photos[1].EndCredit.FontName, u"");
  EXPECT_EQ(&FindPhotoInfo(photos, b), &photos[1]);
  EXPECT_EQ(FindPhotoInfo(photos, u"none").Brightness, 100);
}

TEST(BackgroundPhoto, FitsPictureIntoPowerOfTwoTexture)
{
  struct Case {
    int width, height;
    BackgroundFit fit;
  };
  const Case cases[] = {
    {0, 0, {2048, 2048, 2048}},   {32, 20, {2048, 2048, 1280}},  {64, 64, {64, 64, 64}},
    {300, 200, {512, 512, 341}},  {200, 300, {512, 341, 512}},   {1024, 1000, {1024, 1024, 999}},
    {3000, 2000, {2048, 2048, 1365}}, {1025, 10, {2048, 2048, 19}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const BackgroundFit fit = FitBackground(c.width, c.height);
    EXPECT_EQ(fit.Dim, c.fit.Dim);
    EXPECT_EQ(fit.Width, c.fit.Width);
    EXPECT_EQ(fit.Height, c.fit.Height);
  }
}

TEST(BackgroundPhoto, ReadsPictureSizeAndFileTime)
{
  TempFolder folder;
  const auto path = folder.File("Hintergrund \xC3\xA4.png");
  ASSERT_TRUE(QImage(300, 200, QImage::Format_RGB32).save(QString::fromStdU16String(path), "PNG"));
  // 2024-01-01 00:00:00 UTC is 133485408000000000 on the Windows file-time scale.
  const auto written = std::chrono::sys_seconds(std::chrono::seconds(1704067200));
  std::filesystem::last_write_time(ToPath(path), std::chrono::file_clock::from_sys(written));

  const PhotoInfo photo = MakeBackgroundPhotoInfo(path);
  EXPECT_EQ(photo.Image, path);
  EXPECT_EQ(photo.OrigImage, path);
  EXPECT_EQ(photo.Dim, 512);
  EXPECT_EQ(photo.Width, 512);
  EXPECT_EQ(photo.Height, 341);
  EXPECT_EQ(photo.ModifiedLow, static_cast<std::uint32_t>(133485408000000000ULL));
  EXPECT_EQ(photo.ModifiedHigh, static_cast<std::uint32_t>(133485408000000000ULL >> 32));

  ProjectSettings s;
  s.SetBackground(photo);
  EXPECT_EQ(s.m_BackgroundImage, path);
  EXPECT_EQ(s.m_BackgroundHeight, 341);
  s.SetBuiltInBackground(u"/data");
  EXPECT_EQ(s.m_BackgroundImage, u"/data/BlackWood.jpg");
  EXPECT_EQ(s.m_BackgroundHeight, 1365);

  const PhotoInfo missing = MakeBackgroundPhotoInfo(folder.File("missing.png"));
  EXPECT_EQ(missing.ModifiedLow, 0U);
  EXPECT_EQ(missing.Dim, 2048);
}

}
