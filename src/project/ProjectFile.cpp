#include "ProjectSettings.h"

#include "CsvStream.h"
#include "NumberText.h"
#include "Paths.h"
#include "TextConvert.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

using capi::csv::istringstream;

constexpr std::string_view kFirstLine = "App=vidorra";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTrimSet = "\r\n\t ";
constexpr std::string_view kEqualEscape = "#equal;";
constexpr std::string_view kSlashEscape = "<comma>";

// Far beyond any project the program writes; reading stops there so that an endless pipe or device
// cannot fill the memory.
constexpr std::size_t kMaxProjectBytes = std::size_t{64} << 20;

bool HasProjectHeader(std::string_view bytes)
{
  if (bytes.starts_with(kByteOrderMark)) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  return bytes.starts_with(kFirstLine);
}

class FileDescriptor {
public:
  explicit FileDescriptor(int fd)
    : mFd(fd)
  {
  }
  ~FileDescriptor()
  {
    if (mFd >= 0) {
      ::close(mFd);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return mFd; }

private:
  int mFd;
};

ProjectLoadResult FailureFromErrno(int error)
{
  switch (error) {
  case ENOENT:
  case ENOTDIR:
    return ProjectLoadResult::Missing;
  case EACCES:
  case EPERM:
    return ProjectLoadResult::NoPermission;
  case EISDIR:
    return ProjectLoadResult::NotAFile;
  default:
    return ProjectLoadResult::ReadFailed;
  }
}

// Opening does not wait for a FIFO's writer; once open, reads block so that a pipe whose writer is
// still busy is read to its end. A FIFO that nobody writes to reads as empty.
ProjectLoadResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes)
{
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) {
    return FailureFromErrno(errno);
  }
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) {
    return FailureFromErrno(errno);
  }
  if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) {
    return ProjectLoadResult::NotAFile;
  }
  const int flags = ::fcntl(file.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return ProjectLoadResult::ReadFailed;
  }
  std::string block(std::size_t{64} * 1024, '\0');
  while (true) {
    const ssize_t count = ::read(file.Get(), block.data(), block.size());
    if (count == 0) {
      return ProjectLoadResult::Loaded;
    }
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      return FailureFromErrno(errno);
    }
    if (bytes.size() + static_cast<std::size_t>(count) > kMaxProjectBytes) {
      return ProjectLoadResult::TooLarge;
    }
    bytes.append(block.data(), static_cast<std::size_t>(count));
  }
}

// A reader over the "/"-separated sub-fields of a value, positioned on its only line.
class SubFields : public istringstream {
public:
  explicit SubFields(const std::string& value)
    : istringstream(value)
  {
    set_delimiter('/', kSlashEscape);
    read_line();
  }
};

bool IsYes(const std::string& value)
{
  return value == "Yes";
}

std::int32_t PhotoFrameFromText(const std::string& value)
{
  if (value == "White") {
    return static_cast<std::int32_t>(PhotoFrameStyle::White);
  }
  if (value == "WhiteNoShadow") {
    return static_cast<std::int32_t>(PhotoFrameStyle::WhiteNoShadow);
  }
  return static_cast<std::int32_t>(PhotoFrameStyle::None);
}

void ReadNumber(const std::string& value, std::int32_t& field)
{
  if (const auto number = capi::csv::parse_int(value)) {
    field = *number;
  }
}

void ReadNumber(const std::string& value, std::uint32_t& field)
{
  if (const auto number = capi::csv::parse_uint(value)) {
    field = *number;
  }
}

void ReadBackground(ProjectSettings& s, const std::string& value)
{
  SubFields fields(value);
  if (fields.line_number() == 0) {
    return;
  }
  std::string path;
  unsigned int timeLow = 0;
  unsigned int timeHigh = 0;
  fields >> path >> s.m_BackgroundDim >> s.m_BackgroundWidth >> s.m_BackgroundHeight;
  fields >> timeLow >> timeHigh >> s.m_BackgroundBrightness;
  const std::u16string image = Utf8ToUtf16(path);
  if (IsExistingFile(image)) {
    s.m_BackgroundTimeLow = timeLow;
    s.m_BackgroundTimeHigh = timeHigh;
    s.m_BackgroundImage = image;
  }
}

// "OrigImage" and "Thumbnail" hold a single path. The program writes a "/" inside it as "<comma>", so a
// raw "/" means the line was written by hand with a plain Linux path: then the whole value is the path.
std::u16string SinglePathField(const std::string& value)
{
  if (value.find('/') != std::string::npos) {
    return Utf8ToUtf16(capi::csv::replace_all(value, kSlashEscape, "/"));
  }
  SubFields fields(value);
  std::string path;
  fields >> path;
  return Utf8ToUtf16(path);
}

void ReadOrigImage(ProjectSettings& s, const std::string& value)
{
  std::u16string path = SinglePathField(value);
  if (IsExistingFile(path)) {
    s.m_OrigImages.push_back(std::move(path));
    return;
  }
  s.m_MissingImages.push_back(std::move(path));
  // Brightness lines come first and are matched by position; the dropped photo takes its
  // brightness along so the photos after it keep their own.
  const std::size_t position = s.m_OrigImages.size();
  if (position < s.m_Brightness.size()) {
    s.m_Brightness.erase(s.m_Brightness.begin() + static_cast<std::ptrdiff_t>(position));
  }
}

void ReadCirclePoints(ProjectSettings& s, const std::string& value)
{
  SubFields fields(value);
  const std::size_t delimiters = fields.count_delimiters();
  std::string path;
  fields >> path;
  CirclesInfo info;
  try {
    for (std::size_t needed = 2; needed <= 4 && delimiters >= needed; needed += 2) {
      CirclePoint point;
      fields >> point.X >> point.Y;
      info.Points.push_back(point);
    }
  } catch (const std::runtime_error&) {
    s.m_CirclesInfo.push_back(std::move(info));
    return;
  }
  info.ImagePath = Utf8ToUtf16(path);
  s.m_CirclesInfo.push_back(std::move(info));
}

void ReadEndCredit(ProjectSettings& s, const std::string& value)
{
  SubFields fields(value);
  if (fields.line_number() == 0) {
    return;
  }
  std::string path;
  std::string font;
  std::string text;
  int bold = 0;
  fields >> path >> font >> text >> bold;
  EndCreditInfo info{Utf8ToUtf16(path), Utf8ToUtf16(font), Utf8ToUtf16(text), bold != 0};
  if (IsExistingFile(info.ImagePath)) {
    s.SetEndCreditInfo(info);
  }
}

using LineAction = void (*)(ProjectSettings&, const std::string&);

// clang-format off
const std::pair<std::string_view, LineAction> kLineActions[] = {
  {"App", [](ProjectSettings& s, const std::string& v) { s.m_App = v; }},
  {"Version", [](ProjectSettings& s, const std::string& v) { s.m_Version = v; }},
  {"MP3", [](ProjectSettings& s, const std::string& v) { s.m_MP3 = Utf8ToUtf16(v); }},
  {"ScreenWidth", [](ProjectSettings& s, const std::string& v) { ReadNumber(v, s.m_ScreenWidth); }},
  {"ScreenHeight", [](ProjectSettings& s, const std::string& v) { ReadNumber(v, s.m_ScreenHeight); }},
  {"FPS", [](ProjectSettings& s, const std::string& v) { ReadNumber(v, s.m_FPS); }},
  {"GlobalBrightness", [](ProjectSettings& s, const std::string& v) { ReadNumber(v, s.m_GlobalBrightness); }},
  {"Duration", [](ProjectSettings& s, const std::string& v) { ReadNumber(v, s.m_Duration); }},
  {"BackgroundSize", [](ProjectSettings& s, const std::string& v) {
     const auto size = capi::csv::parse_uint(v);
     if (size && *size <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
       s.m_BackgroundSize = static_cast<std::int32_t>(*size);
     }
   }},
  {"BackgroundImage", ReadBackground},
  {"OrigBackgroundImage", [](ProjectSettings& s, const std::string& v) { s.m_OrigBackgroundImage = Utf8ToUtf16(v); }},
  {"OrigImage", ReadOrigImage},
  {"Thumbnail", [](ProjectSettings& s, const std::string& v) { s.m_Thumbnails.push_back(SinglePathField(v)); }},
  {"BackgroundMoving", [](ProjectSettings& s, const std::string& v) { s.m_BackgroundMoving = IsYes(v); }},
  {"ShowSinewave", [](ProjectSettings& s, const std::string& v) { s.m_ShowSinewave = IsYes(v); }},
  {"Slant3DTextSpreading", [](ProjectSettings& s, const std::string& v) { s.m_Slant3DTextSpreading = IsYes(v); }},
  {"PlainTitleEffect", [](ProjectSettings& s, const std::string& v) { s.m_PlainTitleEffect = IsYes(v); }},
  {"PlainFontAvailable", [](ProjectSettings& s, const std::string& v) { s.m_PlainFontAvailable = IsYes(v); }},
  {"PlainTextTitle", [](ProjectSettings& s, const std::string& v) { s.m_PlainTextTitle = Utf8ToUtf16(v); }},
  {"TextureSize", [](ProjectSettings& s, const std::string& v) { s.m_TextureSize = Utf8ToUtf16(v); }},
  {"PhotoFrame", [](ProjectSettings& s, const std::string& v) { s.m_PhotoFrame = PhotoFrameFromText(v); }},
  {"TextStyle", [](ProjectSettings& s, const std::string&) { s.m_TextStyle = 0; }},
  {"Brightness", [](ProjectSettings& s, const std::string& v) {
     if (const auto brightness = capi::csv::parse_int(v)) {
       s.m_Brightness.push_back(*brightness);
     }
   }},
  {"CirclePoints", ReadCirclePoints},
  {"EndCreditInfo", ReadEndCredit},
};
// clang-format on

// A value that fails to convert ends its own line's action only; loading goes on.
void ApplyLine(ProjectSettings& s, const std::string& key, const std::string& value)
{
  for (const auto& [name, action] : kLineActions) {
    if (name == key) {
      try {
        action(s, value);
      } catch (const std::runtime_error&) {
      }
      return;
    }
  }
}

// Sub-field text: the reader strips quote chars that enclose a token, so they are written as
// the quote escape to come back unchanged.
std::string TextField(const std::u16string& text)
{
  return capi::csv::replace_all(Utf16ToUtf8(text), "\"", capi::csv::kQuoteEscape);
}

// A path as the first sub-field of a "/"-separated value: a bare "/" would end the path on
// reading, so it is written as the reader's "/" escape.
std::string PathField(const std::u16string& path)
{
  return capi::csv::replace_all(TextField(path), "/", kSlashEscape);
}

const char* YesNo(bool value)
{
  return value ? "Yes" : "No";
}

const char* PhotoFrameText(std::int32_t frame)
{
  switch (static_cast<PhotoFrameStyle>(frame)) {
  case PhotoFrameStyle::White:
    return "White";
  case PhotoFrameStyle::WhiteNoShadow:
    return "WhiteNoShadow";
  default:
    return "None";
  }
}

}

std::string DescribeLoadResult(ProjectLoadResult result)
{
  switch (result) {
  case ProjectLoadResult::Loaded:
    return "loaded";
  case ProjectLoadResult::Missing:
    return "no such file";
  case ProjectLoadResult::NotAFile:
    return "not a file";
  case ProjectLoadResult::NoPermission:
    return "permission denied";
  case ProjectLoadResult::TooLarge:
    return "too large for a project file";
  case ProjectLoadResult::ReadFailed:
    return "read error";
  case ProjectLoadResult::NotAProject:
    return "not a project file (its first line is not \"" + std::string(kFirstLine) + "\")";
  }
  return "unknown failure";
}

bool ProjectSettings::Load(const std::u16string& path)
{
  return TryLoad(path) == ProjectLoadResult::Loaded;
}

ProjectLoadResult ProjectSettings::TryLoad(const std::u16string& path)
{
  m_FilePath = path;
  std::string bytes;
  const ProjectLoadResult read = ReadWholeFile(ToPath(path), bytes);
  if (read != ProjectLoadResult::Loaded) {
    return read;
  }
  if (!HasProjectHeader(bytes)) {
    return ProjectLoadResult::NotAProject;
  }
  try {
    capi::csv::file_istream in;
    in.assign(std::move(bytes));
    in.set_delimiter('=', kEqualEscape);
    m_Brightness.clear();
    m_CirclesInfo.clear();
    while (in.read_line()) {
      const std::string key = TrimChars(in.next_token(), kTrimSet);
      const std::string value = TrimChars(capi::csv::replace_all(in.rest_of_line(), kEqualEscape, "="), kTrimSet);
      ApplyLine(*this, key, value);
    }
  } catch (const std::exception&) {
    return ProjectLoadResult::ReadFailed;
  }
  if (m_CirclesInfo.empty()) {
    m_CirclesInfo.resize(m_OrigImages.size());
  }
  return ProjectLoadResult::Loaded;
}

// Writes a fresh file next to the real project file and renames it over that only when every byte is
// out, so a full disk or a crash while saving leaves the previous project intact. A project file that
// is a symbolic link stays one: the file it points to gets the new content.
bool ProjectSettings::Save(const std::u16string& path) const
{
  const std::filesystem::path target = FollowLinks(ToPath(path));
  std::error_code error;
  const auto temporary = CreateSiblingFile(target);
  if (!temporary) {
    return false;
  }
  const auto existing = std::filesystem::status(target, error);
  if (std::filesystem::exists(existing)) {
    std::filesystem::permissions(*temporary, existing.permissions(), error);
  }
  if (!WriteTo(*temporary) || (std::filesystem::rename(*temporary, target, error), error)) {
    std::filesystem::remove(*temporary, error);
    return false;
  }
  return true;
}

bool ProjectSettings::WriteTo(const std::filesystem::path& file) const
{
  capi::csv::file_ostream out(file);
  if (!out.is_open()) {
    return false;
  }
  const capi::csv::separator equal{'=', std::string(kEqualEscape)};
  const capi::csv::separator slash{'/', std::string(kSlashEscape)};
  out << equal;
  out << "App" << "vidorra" << '\n';
  out << "Version" << "10000" << '\n';
  out << "MP3" << Utf16ToUtf8(m_MP3) << '\n';
  out << "ScreenWidth" << m_ScreenWidth << '\n';
  out << "ScreenHeight" << m_ScreenHeight << '\n';
  out << "FPS" << m_FPS << '\n';
  out << "BackgroundImage" << PathField(m_BackgroundImage) << slash << m_BackgroundDim << m_BackgroundWidth
      << m_BackgroundHeight << m_BackgroundTimeLow << m_BackgroundTimeHigh << m_BackgroundBrightness << '\n'
      << equal;
  out << "OrigBackgroundImage" << Utf16ToUtf8(m_OrigBackgroundImage) << '\n';
  out << "BackgroundMoving" << YesNo(m_BackgroundMoving) << '\n';
  out << "ShowSinewave" << YesNo(m_ShowSinewave) << '\n';
  out << "Duration" << m_Duration << '\n';
  out << "PlainTextTitle" << Utf16ToUtf8(m_PlainTextTitle) << '\n';
  out << "PhotoFrame" << PhotoFrameText(m_PhotoFrame) << '\n';
  out << "BackgroundSize" << m_BackgroundSize << '\n';
  out << "TextureSize" << Utf16ToUtf8(m_TextureSize) << '\n';
  out << "GlobalBrightness" << m_GlobalBrightness << '\n';
  out << "TextStyle" << "Slant 3D Text" << '\n';
  out << "Slant3DTextSpreading" << YesNo(m_Slant3DTextSpreading) << '\n';
  out << "PlainTitleEffect" << YesNo(m_PlainTitleEffect) << '\n';
  out << "PlainFontAvailable" << YesNo(m_PlainFontAvailable) << '\n';
  for (const std::int32_t brightness : m_Brightness) {
    out << "Brightness" << brightness << '\n';
  }
  for (const auto& image : m_OrigImages) {
    out << "OrigImage" << PathField(image) << '\n';
  }
  for (const auto& thumbnail : m_Thumbnails) {
    out << "Thumbnail" << PathField(thumbnail) << '\n';
  }
  for (const auto& circles : m_CirclesInfo) {
    if (!circles.Points.empty()) {
      out << "CirclePoints" << PathField(circles.ImagePath) << slash;
      for (const auto& point : circles.Points) {
        out << point.X << point.Y;
      }
      out << '\n';
    }
    out << equal;
  }
  for (const auto& [image, credit] : m_EndCreditInfo) {
    if (!credit.FontName.empty()) {
      out << "EndCreditInfo" << PathField(image) << slash << TextField(credit.FontName) << TextField(credit.Text)
          << (credit.Bold ? 1 : 0) << '\n' << equal;
    }
  }
  return out.close();
}
