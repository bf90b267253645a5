// The run directory, directory creation and file copy on real files. The run directory of other
// program locations is read by the probe program, copied there and started as a child.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "box_driver_win32.h"
#include "probe_program_win32.h"
#include "scratch_folder_win32.h"
#include "system/allocator.h"
#include "system/file_system.h"
#include "text/text.h"

namespace {

std::string CurrentDirectory() {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof(current), current);
  return current;
}

// Whether byte `index` of `path` starts a double-byte character.
bool StartsCharacterAt(const std::string& path, size_t index) {
  for (size_t i = 0; i < path.size();) {
    bool lead = static_cast<unsigned char>(path[i]) >= 0x80;
    if (i == index) return lead;
    i += lead ? 2 : 1;
  }
  return false;
}

// Creates every folder on the way to the last element of `path`, finding the separators by the
// double-byte rule.
void CreateFoldersFor(const std::string& path) {
  for (size_t i = 0; i < path.size();) {
    if (static_cast<unsigned char>(path[i]) >= 0x80) {
      i += 2;
      continue;
    }
    if (path[i] == '\\' && i > 2) CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    ++i;
  }
}

std::string Repeat(const std::string& piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

// The system's own text for `error`, without its line break.
std::string SystemText(DWORD error) {
  char text[1024] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof(text), nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
}

TEST(RunDirectoryTest, IsTheProgramsFolderAndBecomesTheCurrentDirectory) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof(self));
  const std::string program = self;
  const std::string folder = program.substr(0, program.rfind('\\'));  // an ASCII build path
  const std::string before = CurrentDirectory();
  SetCurrentDirectoryA("C:\\");

  EstablishRunDirectory();
  const int32_t live = LiveBlockCount();
  Text first = GetRunDirectory();
  Text second = GetRunDirectory();
  EXPECT_EQ(first.Bytes(), folder);
  EXPECT_EQ(second.Bytes(), folder);
  EXPECT_NE(first.Block(), second.Block()) << "each call returns a copy of its own";
  EXPECT_EQ(LiveBlockCount(), live + 2);
  EXPECT_EQ(CurrentDirectory(), folder);
  first.Reset();
  second.Reset();
  EXPECT_EQ(LiveBlockCount(), live);

  SetCurrentDirectoryA(before.c_str());
}

TEST(RunDirectoryTest, ProbeFindsItsFolderWhereverItIsCopied) {
  ScratchFolder scratch;
  // A long folder of Chinese names: under 260 UTF-16 units, so the system starts the program, but
  // over 260 bytes in code page 936. The padding puts a double-byte character at byte 259, where
  // a 260-byte read stops one byte short and reports no error.
  std::string longFolder;
  for (int pad = 1; pad <= 4 && longFolder.empty(); ++pad) {
    std::string candidate = scratch / std::string(static_cast<size_t>(pad), 'p');
    for (int level = 0; level < 3; ++level) candidate += "\\" + Repeat("工", 50);
    if (StartsCharacterAt(candidate, 259)) longFolder = candidate;
  }
  ASSERT_FALSE(longFolder.empty());
  ASSERT_GT(longFolder.size(), 260u);

  const std::string root = "C:\\rc-system-probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
  struct Case {
    const char* name;
    std::string program;
    std::string runDirectory;
    std::string currentDirectory;
  } cases[] = {
      {"Chinese folder", scratch / "工具\\改名\\app.exe", scratch / "工具\\改名",
       scratch / "工具\\改名"},
      // 淺, 籠 and 乗 end in 0x5C: only the real separator before the name may be cut at.
      {"0x5C second bytes", scratch / "淺籠\\乗籠.exe", scratch / "淺籠", scratch / "淺籠"},
      {"long path", longFolder + "\\app.exe", longFolder, longFolder},
      // "C:" alone names the current folder of drive C, so the current directory stays put.
      {"drive root", root, "C:", scratch.Path()},
  };
  const std::string out = scratch / "run-directory.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CreateFoldersFor(c.program);
    ASSERT_TRUE(CopyFileA(ProbeProgramPath().c_str(), c.program.c_str(), FALSE))
        << GetLastError() << " " << HexBytes(c.program);
    DeleteFileA(out.c_str());
    {
      ChildProcess child;
      ASSERT_TRUE(child.Start(c.program, "run-directory \"" + out + "\"", scratch.Path()));
      EXPECT_EQ(child.WaitForExit(), 0u);
    }
    const std::string seen = ReadFileBytes(out);
    const std::string expected = c.runDirectory + "\n" + c.currentDirectory;
    EXPECT_EQ(HexBytes(seen), HexBytes(expected))
        << "expected " << expected << "\nseen     " << seen;
  }
  DeleteFileA(root.c_str());
}

TEST(MakeDirectoryTest, CreatesOnlyTheLastElement) {
  ScratchFolder scratch;
  const std::string fresh = scratch / "工具籠";
  EXPECT_TRUE(MakeDirectory(fresh.c_str()));
  EXPECT_TRUE(IsFolder(fresh));

  WriteFileBytes(fresh + "\\keep.txt", "keep");
  EXPECT_FALSE(MakeDirectory(fresh.c_str()));
  EXPECT_EQ(ReadFileBytes(fresh + "\\keep.txt"), "keep");

  EXPECT_FALSE(MakeDirectory((scratch / "missing\\child").c_str()));
  EXPECT_FALSE(Exists(scratch / "missing"));

  EXPECT_FALSE(MakeDirectory((fresh + "\\keep.txt").c_str()));
  EXPECT_EQ(ReadFileBytes(fresh + "\\keep.txt"), "keep");
}

TEST(CopyFileOverTest, ReplacesAnExistingFileOrMakesANewOne) {
  ScratchFolder scratch;
  const std::string source = scratch / "源籠.txt";
  const std::string existing = scratch / "淺.txt";
  const std::string fresh = scratch / "新.txt";
  WriteFileBytes(source, "new");
  WriteFileBytes(existing, "old and longer");

  EXPECT_TRUE(CopyFileOver(source.c_str(), existing.c_str()));
  EXPECT_EQ(ReadFileBytes(existing), "new");
  Text reason;
  EXPECT_TRUE(CopyFileOver(source.c_str(), fresh.c_str(), &reason));
  EXPECT_EQ(ReadFileBytes(fresh), "new");
  EXPECT_EQ(ReadFileBytes(source), "new");
}

TEST(CopyFileOverTest, RefusedCopyKeepsTheDestinationAndGivesTheReason) {
  ScratchFolder scratch;
  const std::string source = scratch / "source.txt";
  const std::string folder = scratch / "folder";
  const std::string locked = scratch / "locked.txt";
  WriteFileBytes(source, "source");
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteFileBytes(folder + "\\inner.txt", "inner");
  WriteFileBytes(locked, "locked");
  // Held open by another reader that lets no one write, as a file in use by another program.
  HANDLE inUse = CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             0, nullptr);
  ASSERT_NE(inUse, INVALID_HANDLE_VALUE);

  struct Case {
    const char* name;
    std::string source;
    std::string destination;
    std::string destinationAfter;  // "<missing>" when it must not exist
  } cases[] = {
      {"missing source", scratch / "missing.txt", scratch / "out1.txt", "<missing>"},
      {"source is a folder", folder, scratch / "out2.txt", "<missing>"},
      {"destination is a folder", source, folder, "<missing>"},
      {"onto itself", source, source, "source"},
      {"destination in use", source, locked, "locked"},
      {"destination's folder missing", source, scratch / "none\\out.txt", "<missing>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Text reason = CopyText("stale");
    const int32_t live = LiveBlockCount();
    EXPECT_FALSE(CopyFileOver(c.source.c_str(), c.destination.c_str(), &reason));
    EXPECT_EQ(LiveBlockCount(), live) << "the stale reason is released when replaced";
    const std::string text = reason.Bytes();
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, "stale");
    EXPECT_EQ(text.find_last_not_of("\r\n \t"), text.size() - 1) << HexBytes(text);
    EXPECT_EQ(ReadFileBytes(c.destination), c.destinationAfter);
    EXPECT_FALSE(CopyFileOver(c.source.c_str(), c.destination.c_str()));
  }
  CloseHandle(inUse);
  EXPECT_EQ(ReadFileBytes(locked), "locked");
  EXPECT_TRUE(IsFolder(folder));
  EXPECT_EQ(ReadFileBytes(folder + "\\inner.txt"), "inner");
  EXPECT_EQ(ReadFileBytes(source), "source");

  Text reason;
  CopyFileOver((scratch / "missing.txt").c_str(), (scratch / "out.txt").c_str(), &reason);
  EXPECT_EQ(HexBytes(reason.Bytes()), HexBytes(SystemText(ERROR_FILE_NOT_FOUND)));
}

TEST(CopyFileOverTest, ReadOnlyDestinationIsKept) {
  ScratchFolder scratch;
  const std::string source = scratch / "source.txt";
  const std::string readOnly = scratch / "read-only.txt";
  WriteFileBytes(source, "source");
  WriteFileBytes(readOnly, "kept");
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE writable =
      CreateFileA(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (writable != INVALID_HANDLE_VALUE) {
    CloseHandle(writable);
    GTEST_SKIP() << "this system lets a read-only file be written (Wine run as root)";
  }
  Text reason;
  EXPECT_FALSE(CopyFileOver(source.c_str(), readOnly.c_str(), &reason));
  EXPECT_FALSE(reason.IsNone());
  EXPECT_EQ(ReadFileBytes(readOnly), "kept");
}

}  // namespace
