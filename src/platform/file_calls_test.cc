#include "platform/file_calls.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane::files {
namespace {

namespace fs = std::filesystem;

std::string NewFile(const std::string& path, std::string_view bytes) {
  int fd = CreateLocked(path);
  EXPECT_GE(fd, 0) << path << ": " << ErrorText(-fd);
  EXPECT_EQ(WriteAll(fd, bytes), 0);
  EXPECT_EQ(CloseFile(fd), 0);
  return path;
}

// Bytes go to the file as they are (no CR LF translation, no stop at Ctrl-Z),
// an existing name is refused, and renaming replaces the file in place.
TEST(FileCallsTest, CreatesExclusivelyWritesBytesAndRenamesOver) {
  std::string folder = testing::TempDir() + "/";
  std::string bytes =
      "a\r\nb\nc\x1A"
      "d";
  std::string first = NewFile(folder + "first", bytes);
  std::string second = NewFile(folder + "second", "old");
  EXPECT_EQ(CreateLocked(first), -EEXIST);
  ASSERT_EQ(Replace(first, second), 0);
  EXPECT_EQ(testing::ReadFile(second), bytes);
  EXPECT_FALSE(fs::exists(NativePath(first)));
  int error = 0;
  int fd = OpenForReading(second, error);
  ASSERT_GE(fd, 0);
  std::string read(64, '\0');
  read.resize(static_cast<size_t>(ReadSome(fd, read.data(), read.size(), error)));
  EXPECT_EQ(CloseFile(fd), 0);
  EXPECT_EQ(read, bytes);
  EXPECT_NE(Replace(folder + "missing", second), 0);
}

TEST(FileCallsTest, ExaminesKindAndIdentity) {
  std::string folder = testing::TempDir() + "/";
  std::string path = NewFile(folder + "data", "12345");
  int error = 0;
  std::optional<FileInfo> info = Examine(path, error);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->kind, FileKind::kRegular);
  EXPECT_EQ(info->size, 5);
  // A file put in the place of another is another file.
  Replace(NewFile(folder + "other", "12345"), path);
  std::optional<FileInfo> replaced = Examine(path, error);
  ASSERT_TRUE(replaced);
  EXPECT_NE(*replaced, *info);
  EXPECT_EQ(Examine(folder, error)->kind, FileKind::kFolder);
  EXPECT_TRUE(IsFolder(folder + "."));
  EXPECT_FALSE(IsFolder(path));
  EXPECT_FALSE(Examine(folder + "missing", error));
  EXPECT_EQ(error, ENOENT);
#ifdef _WIN32
  EXPECT_EQ(Examine("NUL", error)->kind, FileKind::kDevice);
#else
  EXPECT_EQ(Examine("/dev/null", error)->kind, FileKind::kDevice);
  // A link is neither followed when creating nor taken for a folder.
  fs::create_symlink(path, folder + "link");
  EXPECT_LT(CreateLocked(folder + "link"), 0);
  EXPECT_EQ(testing::ReadFile(path), "12345");
  fs::create_directory_symlink(folder, folder + "folder-link");
  EXPECT_FALSE(IsFolder(folder + "folder-link"));
#endif
}

// A UTF-8 name reaches the file system as that name, whatever the code page.
TEST(FileCallsTest, UsesUtf8NamesAsTheyAre) {
  std::string folder = testing::TempDir() + "/";
  NewFile(folder + "caf\xC3\xA9.txt", "x");
  std::string made = MakeUniqueFolder(folder + "d\xC3\xA9j\xC3\xA0-");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(NativePath(folder))) {
    names.push_back(Utf8Path(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "caf\xC3\xA9.txt");
  EXPECT_EQ(folder + names[1], made);
  EXPECT_TRUE(IsFolder(made));
#ifndef _WIN32
  // Private from the start, whatever the file-mode mask: no one else can
  // enter it between its making and its first file.
  EXPECT_EQ(fs::status(NativePath(made)).permissions(), fs::perms::owner_all);
#endif
}

// A file is abandoned only once its writer has let it go and it has been
// quiet for the time asked; the folder lists it under its own name.
TEST(FileCallsTest, HeldFileIsNotAbandoned) {
  std::string folder = MakeUniqueFolder(testing::TempDir() + "/held-") + "/";
  std::string path = folder + ".m7.FIT.part";
  int fd = CreateLocked(path);
  ASSERT_GE(fd, 0);
  EXPECT_FALSE(IsAbandoned(path, -10));
  EXPECT_EQ(CloseFile(fd), 0);
  EXPECT_TRUE(IsAbandoned(path, -10));
  EXPECT_FALSE(IsAbandoned(path, 3600));
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{".m7.FIT.part"});
  EXPECT_TRUE(IsWritableFolder(folder));
  EXPECT_FALSE(IsWritableFolder(path));
}

}  // namespace
}  // namespace quorvane::files
