// A fresh folder that becomes the current directory for one test, as the
// game folder is for the game.
#pragma once

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace korvanu::testing {

class TempDir {
public:
  TempDir() : old_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvanu-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~TempDir() {
    std::filesystem::current_path(old_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }

private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

// A file's bytes; empty when it cannot be read.
inline std::string bytesOf(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A base that comes before the game among a fixture's bases: the folder is
// made first, so that the game opens in it, and goes last.
struct InFolderOfItsOwn {
  TempDir dir;
};

} // namespace korvanu::testing
