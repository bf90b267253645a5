// Time from process start to the first shown window, for the tool and for a program that only
// shows an empty window, started alternately so that both meet the same machine state.
//   startup_bench RUNS TOOL.exe BASELINE.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "process_driving.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One start: the seconds until a window of the child is visible, or a negative value.
double TimeOneStart(const std::string& program, const char* className) {
  LARGE_INTEGER start, shown;
  QueryPerformanceCounter(&start);
  ChildProcess child;
  if (!child.Start(program)) return -1;
  HWND window = nullptr;
  for (DWORD waited = 0; window == nullptr && waited < 120000; ++waited) {
    window = FindWindowA(className, nullptr);
    if (window != nullptr && !IsWindowVisible(window)) window = nullptr;
    if (window == nullptr) Sleep(1);
  }
  QueryPerformanceCounter(&shown);
  if (window == nullptr) return -2;
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (child.WaitForExit(60000) != 0) return -3;
  return Seconds(start, shown);
}

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  std::printf("%-10s runs %zu  median %.3f s  mean %.3f s  min %.3f s  max %.3f s\n", name,
              times.size(), times[times.size() / 2], sum / static_cast<double>(times.size()),
              times.front(), times.back());
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench RUNS TOOL.exe BASELINE.exe\n");
    return 2;
  }
  int runs = std::atoi(argv[1]);
  std::string tool = WindowsPath(argv[2]);
  std::string baseline = WindowsPath(argv[3]);
  std::vector<double> toolTimes, baselineTimes;
  // One start of each first, not counted: the first start of a program reads it from disk.
  TimeOneStart(tool, "RenameCopyMainWindow");
  TimeOneStart(baseline, "EmptyBaselineWindow");
  for (int i = 0; i < runs; ++i) {
    double t = TimeOneStart(tool, "RenameCopyMainWindow");
    double b = TimeOneStart(baseline, "EmptyBaselineWindow");
    if (t < 0 || b < 0) {
      std::fprintf(stderr, "run %d failed (%.0f, %.0f)\n", i, t, b);
      return 1;
    }
    toolTimes.push_back(t);
    baselineTimes.push_back(b);
  }
  Report("renamecopy", toolTimes);
  Report("baseline", baselineTimes);
  std::printf("ratio of medians %.2f\n", Median(toolTimes) / Median(baselineTimes));
  return 0;
}
