#include "scratch_folder.h"

#include <algorithm>
#include <cstdio>

std::string TempFolder() {
  char buffer[MAX_PATH + 1] = {};
  DWORD length = GetTempPathA(sizeof buffer, buffer);
  std::string folder(buffer, length);
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

std::string MakeFreshFolder(const std::string& parent, const std::string& stem) {
  // The process id and the tick count keep two runs from ever sharing a folder.
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "-%lu-%lu-%d", GetCurrentProcessId(), GetTickCount(),
                  attempt);
    std::string path = JoinPath(parent, stem + suffix);
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
  }
  return "";
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool ReadBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0) {
    bytes->append(chunk, got);
  }
  CloseHandle(file);
  return ok;
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> ListNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::string& folder) {
  for (const std::string& name : ListNames(folder)) {
    std::string path = JoinPath(folder, name);
    if (IsFolder(path)) {
      RemoveTree(path);
    } else {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
  }
  RemoveDirectoryA(folder.c_str());
}

bool operator==(const ItemState& a, const ItemState& b) {
  return a.exists == b.exists && a.attributes == b.attributes &&
         CompareFileTime(&a.lastWrite, &b.lastWrite) == 0 && a.contents == b.contents;
}

ItemState CaptureState(const std::string& path) {
  ItemState state;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return state;
  state.exists = true;
  state.attributes = data.dwFileAttributes;
  state.lastWrite = data.ftLastWriteTime;
  if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ReadBytes(path, &state.contents);
  return state;
}

std::map<std::string, ItemState> CaptureStates(const std::vector<std::string>& paths) {
  std::map<std::string, ItemState> states;
  for (const std::string& path : paths) states[path] = CaptureState(path);
  return states;
}

std::string SystemReason(DWORD error) {
  char* message = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  std::string reason = length ? std::string(message, length) : std::string();
  if (message) LocalFree(message);
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' ||
                             reason.back() == ' ' || reason.back() == '\t')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = std::to_string(error);
  return reason;
}
