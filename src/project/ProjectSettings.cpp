#include "ProjectSettings.h"

#include "Paths.h"

#include <algorithm>

const PhotoInfo& FindPhotoInfo(const std::vector<PhotoInfo>& photos, const std::u16string& path)
{
  static const PhotoInfo empty;
  const auto found = std::find_if(photos.begin(), photos.end(),
                                  [&path](const PhotoInfo& photo) { return photo.OrigImage == path; });
  return found == photos.end() ? empty : *found;
}

CirclesInfo ProjectSettings::GetCirclesInfo(const std::u16string& path) const
{
  const auto found = std::find_if(m_CirclesInfo.begin(), m_CirclesInfo.end(),
                                  [&path](const CirclesInfo& info) { return info.ImagePath == path; });
  if (found == m_CirclesInfo.end()) {
    return CirclesInfo{{}, path};
  }
  return *found;
}

void ProjectSettings::SetEndCreditInfo(const EndCreditInfo& info)
{
  m_EndCreditInfo[info.ImagePath] = info;
}

EndCreditInfo ProjectSettings::GetEndCreditInfo(const std::u16string& path) const
{
  const auto found = m_EndCreditInfo.find(path);
  if (found == m_EndCreditInfo.end()) {
    return EndCreditInfo{path, {}, {}, false};
  }
  return found->second;
}

std::size_t ProjectSettings::GetEndCreditIndexes(std::vector<std::size_t>& indexes) const
{
  indexes.clear();
  for (const auto& entry : m_EndCreditInfo) {
    for (std::size_t i = 0; i < m_OrigImages.size(); ++i) {
      if (m_OrigImages[i] == entry.first) {
        indexes.push_back(i);
      }
    }
  }
  return indexes.size();
}

void ProjectSettings::SetPhotoList(const std::vector<PhotoInfo>& photos)
{
  m_Thumbnails.clear();
  m_OrigImages.clear();
  m_Brightness.clear();
  m_CirclesInfo.clear();
  for (const auto& photo : photos) {
    m_Thumbnails.push_back(photo.Thumbnail);
    m_OrigImages.push_back(photo.OrigImage);
    m_Brightness.push_back(photo.Brightness);
    m_CirclesInfo.push_back(photo.Circles);
    SetEndCreditInfo(photo.EndCredit);
  }
}

std::vector<PhotoInfo> ProjectSettings::GetPhotoList() const
{
  std::vector<PhotoInfo> photos;
  for (std::size_t i = 0; i < m_OrigImages.size(); ++i) {
    const std::u16string& path = m_OrigImages[i];
    if (!IsExistingFile(path)) {
      continue;
    }
    PhotoInfo photo;
    photo.OrigImage = path;
    photo.Brightness = i < m_Brightness.size() ? m_Brightness[i] : 100;
    photo.Circles = GetCirclesInfo(path);
    photo.EndCredit = GetEndCreditInfo(path);
    photos.push_back(std::move(photo));
  }
  return photos;
}

void ProjectSettings::SetBackground(const PhotoInfo& photo)
{
  m_BackgroundImage = photo.Image;
  m_BackgroundDim = photo.Dim;
  m_BackgroundWidth = photo.Width;
  m_BackgroundHeight = photo.Height;
  m_BackgroundTimeLow = photo.ModifiedLow;
  m_BackgroundTimeHigh = photo.ModifiedHigh;
  m_BackgroundBrightness = 100;
}

void ProjectSettings::SetBuiltInBackground(const std::u16string& dataFolder)
{
  m_BackgroundImage = JoinPath(dataFolder, u"BlackWood.jpg").value_or(u"BlackWood.jpg");
  m_BackgroundDim = 2048;
  m_BackgroundWidth = 2048;
  m_BackgroundHeight = 1365;
  m_BackgroundTimeLow = 1;
  m_BackgroundTimeHigh = 1;
  m_BackgroundBrightness = 100;
}
