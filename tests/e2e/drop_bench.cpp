// Run time of the tool's batch, measured from outside as a user would feel it: from the click on
// OK in the confirmation to the completion box appearing. Beside it, in the same Wine session,
// copy_baseline copies the same files with bare CopyFileA calls.
//
//   drop_bench <renamecopy.exe> <copy_baseline.exe> [--rounds R] [--log-files F]
//              [--log-bytes B] [N ...]
// N: file counts to run (default 1000 10000); 1 shows the fixed cost of a run. Each count runs R
// rounds (default 3), baseline and tool in turn, each run into a new, empty folder, with an empty
// log box. Then F files (default 1000; 0: none) run with B bytes already in the log box (default
// 400000, about 11,000 entries): the cost of a file must not grow with the log.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "file_drag.h"
#include "scratch_folder.h"
#include "tool_window.h"

namespace {

constexpr DWORD kLongWaitMs = 30 * 60 * 1000;

struct Bench {
  std::string root;
  std::string baselineExe;
  ToolProcess tool;
  HWND find = nullptr, replacement = nullptr, output = nullptr, log = nullptr, dropArea = nullptr;
  std::vector<std::string> sources;  // file-000001.txt ...
};

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string NewName(const std::string& source) {
  std::string name = source.substr(source.rfind('\\') + 1);
  return "copy-" + name.substr(std::strlen("file-"));
}

bool MakeSources(Bench* bench, size_t count) {
  std::string folder = JoinPath(bench->root, "sources");
  if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
  for (size_t i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "file-%06u.txt", static_cast<unsigned>(i));
    std::string path = JoinPath(folder, name);
    // Small files: the cost per file is the tool's, not the disk's.
    std::string contents(200, static_cast<char>('a' + i % 26));
    contents += name;
    if (!WriteBytes(path, contents)) return false;
    bench->sources.push_back(path);
  }
  return true;
}

// One baseline run over the first `count` sources; the copy loop's milliseconds, or -1.
double RunBaseline(Bench* bench, size_t count) {
  std::string output = MakeFreshFolder(bench->root, "base-out");
  std::string listPath = JoinPath(bench->root, "copies.txt");
  std::string resultPath = JoinPath(bench->root, "result.txt");
  FILE* list = std::fopen(listPath.c_str(), "wb");
  if (!list) return -1;
  for (size_t i = 0; i < count; ++i) {
    const std::string& source = bench->sources[i];
    std::fprintf(list, "%s\t%s\n", source.c_str(), JoinPath(output, NewName(source)).c_str());
  }
  std::fclose(list);
  DeleteFileA(resultPath.c_str());

  std::string commandLine =
      "\"" + bench->baselineExe + "\" \"" + listPath + "\" \"" + resultPath + "\"";
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(bench->baselineExe.c_str(), writable.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, bench->root.c_str(), &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, kLongWaitMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  int made = 0;
  double ms = -1;
  if (FILE* result = std::fopen(resultPath.c_str(), "rb")) {
    if (std::fscanf(result, "%d %lf", &made, &ms) != 2) ms = -1;
    std::fclose(result);
  }
  if (made != static_cast<int>(count)) {
    std::fprintf(stderr, "baseline copied %d of %u files\n", made, static_cast<unsigned>(count));
    ms = -1;
  }
  RemoveTree(output);
  return ms;
}

// One drop of the first `count` sources onto the tool, with `logBytes` bytes already in its log.
// Milliseconds from OK to the completion box, or -1.
double RunTool(Bench* bench, size_t count, size_t logBytes) {
  std::string output = MakeFreshFolder(bench->root, "tool-out");
  WriteWindowText(bench->find, "file-");
  WriteWindowText(bench->replacement, "copy-");
  WriteWindowText(bench->output, output);
  // Entries as long as the real ones, so the box wraps and counts lines as it would.
  std::string oldLog;
  while (oldLog.size() < logBytes) oldLog += "file-000000.txt -> copy-000000.txt\r\n";
  WriteWindowText(bench->log, oldLog);

  std::vector<std::string> paths(bench->sources.begin(), bench->sources.begin() + count);
  DWORD pid = bench->tool.process.dwProcessId;
  FileDrag drag;
  MessageBoxSeen confirmation, completion;
  if (!drag.Start(paths, PointInside(bench->dropArea, 40, 36)) ||
      !WaitForMessageBox(pid, {}, kLongWaitMs, &confirmation)) {
    std::fprintf(stderr, "no confirmation box\n");
    return -1;
  }
  double start = NowMs();
  PressButton(confirmation, IDOK);
  // Light polling: a look at the window list every 2 ms takes nothing from the tool's copies.
  HWND box = nullptr;
  while (!(box = FindMessageBox(pid, confirmation.window))) Sleep(2);
  double ms = NowMs() - start;
  if (!WaitForMessageBox(pid, {confirmation.window}, kLongWaitMs, &completion)) return -1;
  PressButton(completion, IDOK);
  drag.Wait(kLongWaitMs);

  std::string log;
  ReadWindowText(bench->log, &log);
  size_t copied = ListNames(output).size();
  if (completion.text != "改名复制完成!" || copied != count) {
    std::fprintf(stderr, "tool run failed: %u of %u copied, box [%s]\n",
                 static_cast<unsigned>(copied), static_cast<unsigned>(count),
                 HexBytes(completion.text).c_str());
    ms = -1;
  }
  WriteWindowText(bench->log, "");
  RemoveTree(output);
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(
        stderr,
        "usage: drop_bench <renamecopy.exe> <copy_baseline.exe> [--rounds R] [--log-files F] "
        "[--log-bytes B] [N ...]\n");
    return 2;
  }
  Bench bench;
  std::string toolExe = ToWindowsPath(argv[1]);
  bench.baselineExe = ToWindowsPath(argv[2]);
  int rounds = 3;
  size_t logFiles = 1000;
  size_t logBytes = 400000;
  std::vector<size_t> counts;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--log-files") == 0 && i + 1 < argc) {
      logFiles = static_cast<size_t>(std::atol(argv[++i]));
    } else if (std::strcmp(argv[i], "--log-bytes") == 0 && i + 1 < argc) {
      logBytes = static_cast<size_t>(std::atol(argv[++i]));
    } else {
      counts.push_back(static_cast<size_t>(std::atol(argv[i])));
    }
  }
  if (counts.empty()) counts = {1000, 10000};

  bench.root = MakeFreshFolder(TempFolder(), "rc-bench");
  std::string app = JoinPath(bench.root, "app");
  std::string exe = JoinPath(app, "renamecopy.exe");
  std::string error;
  if (bench.root.empty() || !CreateDirectoryA(app.c_str(), nullptr) ||
      !CopyFileA(toolExe.c_str(), exe.c_str(), FALSE) ||
      !MakeSources(&bench, std::max(logFiles, *std::max_element(counts.begin(), counts.end()))) ||
      !StartTool(exe, bench.root, &bench.tool, &error)) {
    std::fprintf(stderr, "setup failed: %s\n", error.c_str());
    return 1;
  }
  HWND main = bench.tool.mainWindow;
  bench.find = FindControl(main, native_id::编辑框1);
  bench.replacement = FindControl(main, native_id::编辑框3);
  bench.output = FindControl(main, native_id::编辑框2);
  bench.log = FindControl(main, native_id::编辑框4);
  bench.dropArea = FindControl(main, native_id::分组框3);

  std::printf("%8s %10s %6s %12s %12s %12s %12s %7s\n", "files", "log bytes", "round",
              "baseline ms", "tool ms", "base us/f", "tool us/f", "ratio");
  bool failed = false;
  struct Series {
    size_t count;
    size_t log;
  };
  std::vector<Series> series;
  for (size_t count : counts) series.push_back({count, 0});
  if (logFiles > 0 && logBytes > 0) series.push_back({logFiles, logBytes});
  for (const Series& s : series) {
    std::vector<double> base, tool;
    for (int r = 1; r <= rounds; ++r) {
      double b = RunBaseline(&bench, s.count);
      double t = RunTool(&bench, s.count, s.log);
      if (b < 0 || t < 0) failed = true;
      base.push_back(b);
      tool.push_back(t);
      std::printf("%8u %10u %6d %12.1f %12.1f %12.1f %12.1f %7.3f\n",
                  static_cast<unsigned>(s.count), static_cast<unsigned>(s.log), r, b, t,
                  1000 * b / s.count, 1000 * t / s.count, t / b);
      std::fflush(stdout);
    }
    double b = Median(base), t = Median(tool);
    std::printf("%8u %10u %6s %12.1f %12.1f %12.1f %12.1f %7.3f\n", static_cast<unsigned>(s.count),
                static_cast<unsigned>(s.log), "median", b, t, 1000 * b / s.count,
                1000 * t / s.count, t / b);
    std::fflush(stdout);
  }
  long exitCode = CloseTool(&bench.tool, 60000);
  KillTool(&bench.tool);
  RemoveTree(bench.root);
  if (exitCode != 0) {
    std::fprintf(stderr, "the tool ended with %ld\n", exitCode);
    failed = true;
  }
  return failed ? 1 : 0;
}
