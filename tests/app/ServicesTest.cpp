#include "app/services/DataFolder.h"
#include "app/services/FolderTree.h"
#include "app/services/NumericLocale.h"

#include "project/Paths.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Scratch {
public:
  Scratch()
  {
    std::string pattern = (fs::temp_directory_path() / "pellora-services-XXXXXX").string();
    mPath = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~Scratch()
  {
    std::error_code ignored;
    fs::permissions(mPath, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(mPath, ignored);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  // Creates a file (and its folders) below the scratch folder.
  fs::path Touch(const std::string& name) const
  {
    const fs::path path = mPath / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
    return path;
  }
  const fs::path& Path() const { return mPath; }

private:
  fs::path mPath;
};

std::string RemoveError(const fs::path& path)
{
  try {
    RemoveFolderTree(FromPath(path));
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

TEST(DataFolder, LivesUnderXdgDataHomeAndIsCreatedOnceThenCached)
{
  Scratch scratch;
  setenv("XDG_DATA_HOME", scratch.Path().c_str(), 1);
  const std::u16string folder = GetDataFolder();
  EXPECT_EQ(folder, FromPath(scratch.Path() / "Pellora"));
  EXPECT_TRUE(fs::is_directory(scratch.Path() / "Pellora"));

  const std::u16string thumbnails = GetThumbnailFolder();
  EXPECT_EQ(thumbnails, folder + u"/thumbnail");
  EXPECT_TRUE(fs::is_directory(ToPath(thumbnails)));

  RemoveFolderTree(folder);
  setenv("XDG_DATA_HOME", "/elsewhere", 1);
  EXPECT_EQ(GetDataFolder(), folder);
  EXPECT_FALSE(fs::exists(ToPath(folder)));
  // Unlike the data folder itself, the thumbnail folder comes back whenever it is asked for.
  EXPECT_TRUE(fs::is_directory(ToPath(GetThumbnailFolder())));
}

TEST(JoinPath, RefusesResultsOverTheLimit)
{
  EXPECT_EQ(JoinPath(u"/a/", u"b"), u"/a/b");
  EXPECT_EQ(JoinPath(u"/a", u"/abs"), u"/abs");
  EXPECT_EQ(JoinPath(u"", u"b"), u"b");
  const std::u16string folder(997, u'x');
  EXPECT_EQ(JoinPath(folder, u"b")->size(), 999U);
  EXPECT_FALSE(JoinPath(folder, u"bc").has_value());
}

TEST(RemoveFolderTree, RemovesNestedFoldersAndFiles)
{
  Scratch scratch;
  scratch.Touch("cache/project.txt");
  scratch.Touch("cache/thumbnail/Strand \xC3\xBC.jpg.thumbnail.jpg");
  fs::create_directories(scratch.Path() / "cache/empty/deeper");
  EXPECT_EQ(RemoveError(scratch.Path() / "cache"), "");
  EXPECT_FALSE(fs::exists(scratch.Path() / "cache"));
}

TEST(RemoveFolderTree, RemovesLinksWithoutFollowingThem)
{
  Scratch scratch;
  const fs::path keep = scratch.Touch("keep/precious.jpg");
  scratch.Touch("cache/a.txt");
  fs::create_directory_symlink(scratch.Path() / "keep", scratch.Path() / "cache/link-to-folder");
  fs::create_symlink(keep, scratch.Path() / "cache/link-to-file");
  fs::create_symlink(scratch.Path() / "nowhere", scratch.Path() / "cache/dangling");
  EXPECT_EQ(RemoveError(scratch.Path() / "cache"), "");
  EXPECT_FALSE(fs::exists(scratch.Path() / "cache"));
  EXPECT_TRUE(fs::exists(keep));
}

TEST(RemoveFolderTree, ReportsEachFailure)
{
  Scratch scratch;
  EXPECT_EQ(RemoveError(scratch.Path() / "missing"), "Could not start directory enumeration");
  EXPECT_EQ(RemoveError(scratch.Touch("file.txt")), "Could not start directory enumeration");

  // Dot entries are skipped, so their folder cannot go; everything else is gone already.
  scratch.Touch("dotted/.hidden");
  scratch.Touch("dotted/sub/visible.txt");
  EXPECT_EQ(RemoveError(scratch.Path() / "dotted"), "Could not remove directory");
  EXPECT_TRUE(fs::exists(scratch.Path() / "dotted/.hidden"));
  EXPECT_FALSE(fs::exists(scratch.Path() / "dotted/sub"));
}

TEST(RemoveFolderTree, ReportsFileThatCannotBeDeleted)
{
  if (geteuid() == 0) {
    GTEST_SKIP() << "file permissions do not stop root from deleting";
  }
  Scratch scratch;
  scratch.Touch("locked/inner/file.txt");
  fs::permissions(scratch.Path() / "locked/inner", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(RemoveError(scratch.Path() / "locked"), "Could not delete file");
  fs::permissions(scratch.Path() / "locked/inner", fs::perms::owner_write, fs::perm_options::add);
}

TEST(NumericLocale, UsesDecimalPoint)
{
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (scripts/setup.sh generates it)";
  }
  SetNumericLocale();
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 2.5);
  EXPECT_STREQ(text, "2.5");
  std::setlocale(LC_ALL, "C");
}

}
