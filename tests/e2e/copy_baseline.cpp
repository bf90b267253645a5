// The yardstick for the tool's run time: the same copies with nothing around them but CopyFileA.
//
//   copy_baseline <list file> <result file>
// Each line of the list is a source path, a tab and the destination path (code page 936). The
// result file receives "<copies made> <milliseconds>" for the copy loop alone.

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: copy_baseline <list file> <result file>\n");
    return 2;
  }
  std::vector<std::pair<std::string, std::string>> copies;
  if (FILE* list = std::fopen(argv[1], "rb")) {
    char line[2048];
    while (std::fgets(line, sizeof line, list)) {
      std::string entry(line);
      while (!entry.empty() && (entry.back() == '\n' || entry.back() == '\r')) entry.pop_back();
      size_t tab = entry.find('\t');
      if (tab != std::string::npos)
        copies.emplace_back(entry.substr(0, tab), entry.substr(tab + 1));
    }
    std::fclose(list);
  }

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int made = 0;
  for (const auto& copy : copies) {
    if (CopyFileA(copy.first.c_str(), copy.second.c_str(), FALSE)) ++made;
  }
  QueryPerformanceCounter(&end);
  double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
              static_cast<double>(frequency.QuadPart);

  FILE* result = std::fopen(argv[2], "wb");
  if (!result) return 3;
  std::fprintf(result, "%d %.3f\n", made, ms);
  std::fclose(result);
  return made == static_cast<int>(copies.size()) ? 0 : 1;
}
