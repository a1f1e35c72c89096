#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The frame drawn around each photo; the project file stores it as "White", "WhiteNoShadow" or "None".
enum class PhotoFrameStyle : std::int32_t { White = 0, WhiteNoShadow = 1, None = 2 };

// One centre of an expanding circle, in the coordinates the circle dialog stores.
struct CirclePoint {
  float X = 0.0F;
  float Y = 0.0F;
};

// The expanding-circle centres of one photo; the project file keeps at most two.
struct CirclesInfo {
  std::vector<CirclePoint> Points;
  std::u16string ImagePath;
};

// The end-credit text of one photo. An empty FontName means the photo has no end credit.
struct EndCreditInfo {
  std::u16string ImagePath;
  std::u16string FontName;
  std::u16string Text;  // lines separated by LF
  bool Bold = false;
};

// The main window's record per photo, and for the background picture.
struct PhotoInfo {
  std::u16string OrigImage;
  std::u16string Image;  // working picture; set for the background only
  std::u16string Thumbnail;
  std::int32_t Dim = 0;  // texture side (power of two), background only
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint32_t ModifiedLow = 0;  // last-write time on the Windows file-time scale
  std::uint32_t ModifiedHigh = 0;
  std::int32_t Id = 0;  // identifies the photo in the photo list view
  std::int32_t Brightness = 100;  // percent
  CirclesInfo Circles;
  EndCreditInfo EndCredit;
};

// The record of photos whose OrigImage is path, or a shared empty record (Brightness 100).
const PhotoInfo& FindPhotoInfo(const std::vector<PhotoInfo>& photos, const std::u16string& path);

// How reading a project file ended; everything but Loaded leaves the project at its defaults.
enum class ProjectLoadResult {
  Loaded,
  Missing,       // no file at the path
  NotAFile,      // a directory, device or socket
  NoPermission,
  TooLarge,      // more than a project file could ever hold (an endless pipe or device)
  ReadFailed,    // an input/output error
  NotAProject,   // the first line is not "App=vidorra" (an empty file or pipe included)
};

// The reason in a few words, to follow "cannot read project file ...: ".
std::string DescribeLoadResult(ProjectLoadResult result);

// The whole project as stored in "project.txt". Paths and user texts are UTF-16; m_App and
// m_Version hold the file's UTF-8 text. Fields named m_<Key> mirror the file key <Key>.
class ProjectSettings {
public:
  // Reads the file into this object; false when it cannot be opened or does not start with
  // "App=vidorra". Bad values are skipped line by line; photos whose files are gone are dropped.
  bool Load(const std::u16string& path);
  // The same, telling why the file could not be read. The file is read once, start to end, so a
  // pipe works and a FIFO without a writer reads as empty instead of waiting for one.
  ProjectLoadResult TryLoad(const std::u16string& path);
  // Writes the whole project; false when the file cannot be created or written completely, and then
  // the file that was there before is left as it was.
  bool Save(const std::u16string& path) const;

  // The first circle entry for path, or an entry with no points for it.
  CirclesInfo GetCirclesInfo(const std::u16string& path) const;
  void SetEndCreditInfo(const EndCreditInfo& info);
  // The end credit for path, or {path, empty, empty, false}.
  EndCreditInfo GetEndCreditInfo(const std::u16string& path) const;
  // Positions in m_OrigImages of every photo with an end-credit entry, map order first, then
  // ascending; returns how many were found.
  std::size_t GetEndCreditIndexes(std::vector<std::size_t>& indexes) const;

  // Replaces the per-photo lists with the photo list; end-credit entries of other photos stay.
  void SetPhotoList(const std::vector<PhotoInfo>& photos);
  // One record per photo whose file exists, with its brightness, circles and end credit; the main
  // window adds thumbnail and id.
  std::vector<PhotoInfo> GetPhotoList() const;

  // Makes the background the picture described by photo (see MakeBackgroundPhotoInfo).
  void SetBackground(const PhotoInfo& photo);
  // Makes the background the built-in "BlackWood.jpg" in the data folder.
  void SetBuiltInBackground(const std::u16string& dataFolder);

  std::u16string m_FilePath;
  std::string m_App;
  std::string m_Version = "10000";
  std::u16string m_MP3;
  std::int32_t m_ScreenWidth = 800;
  std::int32_t m_ScreenHeight = 600;
  std::int32_t m_FPS = 30;
  std::u16string m_BackgroundImage;
  std::int32_t m_BackgroundDim = 0;
  std::int32_t m_BackgroundWidth = 0;
  std::int32_t m_BackgroundHeight = 0;
  std::uint32_t m_BackgroundTimeLow = 0;
  std::uint32_t m_BackgroundTimeHigh = 0;
  std::int32_t m_BackgroundBrightness = 100;
  std::u16string m_OrigBackgroundImage;  // empty: the built-in background
  std::vector<std::u16string> m_OrigImages;
  std::vector<std::u16string> m_Thumbnails;
  bool m_BackgroundMoving = false;
  bool m_ShowSinewave = true;
  std::uint32_t m_Duration = 30;  // seconds
  std::int32_t m_TextStyle = 0;
  bool m_Slant3DTextSpreading = false;
  std::u16string m_PlainTextTitle;
  std::int32_t m_PhotoFrame = static_cast<std::int32_t>(PhotoFrameStyle::White);
  std::int32_t m_BackgroundSize = 100;  // percent
  std::u16string m_TextureSize = u"Auto";
  std::int32_t m_GlobalBrightness = 100;  // percent
  bool m_PlainTitleEffect = false;
  bool m_PlainFontAvailable = false;
  std::vector<std::int32_t> m_Brightness;  // matched to m_OrigImages by position
  std::vector<CirclesInfo> m_CirclesInfo;
  std::map<std::u16string, EndCreditInfo> m_EndCreditInfo;  // keyed by photo path
  // Photos the loaded file listed whose files are gone; they are not in m_OrigImages and not saved.
  std::vector<std::u16string> m_MissingImages;

private:
  bool WriteTo(const std::filesystem::path& file) const;
};
