// Files and folders for one test, removed when it is done.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

// A file holding `content`; the caller unlinks it.
inline std::string TempFileWith(const std::string& content) {
  char path[] = "/tmp/test_file_XXXXXX";
  int fd = mkstemp(path);
  ssize_t written = write(fd, content.data(), content.size());
  close(fd);
  return written == static_cast<ssize_t>(content.size()) ? path : "";
}

class TempFolder {
 public:
  TempFolder() {
    char path[] = "/tmp/test_folder_XXXXXX";
    path_ = mkdtemp(path);
  }
  ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ + "/" + name, std::ios::binary) << content;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
