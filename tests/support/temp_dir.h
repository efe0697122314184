#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for byte-exact comparisons.
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// Takes every write permission away; on Windows this sets the read-only attribute.
void MakeReadOnly(const std::filesystem::path& file);

// Whether the platform refuses to open a read-only file for writing. Root on posix does
// not, and neither does Wine run as root.
bool ReadOnlyFilesRefuseWrites(const TempDir& dir);

}  // namespace testing_support
