// A fresh folder under the temporary folder for one test, removed with everything in it after.
#pragma once

#include <string>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path, no trailing "\".
  const std::string& Path() const { return path_; }
  // `name` inside the folder.
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Removes a file or a folder with everything in it; read-only files too.
void RemoveTree(const std::string& path);

// Whole-file access by ANSI path. ReadFileBytes returns "<missing>" when the file cannot be read.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool IsFolder(const std::string& path);
bool Exists(const std::string& path);
