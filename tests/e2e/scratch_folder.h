// Real files and folders for the end-to-end runs: fresh folders, byte-exact contents and the
// state a run must leave untouched. Paths are code page 936 bytes, as the tool sees them.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "support/hex_bytes.h"

// A new, empty folder under `parent` whose name starts with `stem`; "" when none can be made.
std::string MakeFreshFolder(const std::string& parent, const std::string& stem);

// The system's temporary folder, without a trailing "\".
std::string TempFolder();

std::string JoinPath(const std::string& folder, const std::string& name);

bool WriteBytes(const std::string& path, const std::string& bytes);
bool ReadBytes(const std::string& path, std::string* bytes);

bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);

// The names in a folder (files and folders, without "." and ".."), sorted bytewise.
std::vector<std::string> ListNames(const std::string& folder);

// Deletes a folder and everything in it; read-only files included.
void RemoveTree(const std::string& folder);

// What a file or folder looks like from outside: enough to prove that a run left it alone.
struct ItemState {
  bool exists = false;
  DWORD attributes = 0;
  FILETIME lastWrite{};
  std::string contents;  // files only
};

bool operator==(const ItemState& a, const ItemState& b);
ItemState CaptureState(const std::string& path);

// The states of several items, keyed by path.
std::map<std::string, ItemState> CaptureStates(const std::vector<std::string>& paths);

// The system's text for an error code, as the tool reports it: trailing line breaks and blanks
// removed, or the decimal code when the system has no text.
std::string SystemReason(DWORD error);
