// The text services on realistic loads, each beside the floor (memcpy of the same bytes) and the
// obvious standard-library way of doing the same job. Every load runs at 1x and 10x, to show
// that the time grows with the input and no faster.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "text/replace_subtext.h"
#include "text/split_text.h"

namespace {

// ---- Loads ----

// A double-byte character of code page 936: lead 0xB0-0xF7, trail 0xA1-0xFE.
void AppendChinese(std::mt19937* random, int count, std::string* out) {
  std::uniform_int_distribution<int> lead(0xB0, 0xF7);
  std::uniform_int_distribution<int> trail(0xA1, 0xFE);
  for (int i = 0; i < count; ++i) {
    *out += static_cast<char>(lead(*random));
    *out += static_cast<char>(trail(*random));
  }
}

void AppendWord(std::mt19937* random, int length, std::string* out) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
  std::uniform_int_distribution<int> pick(0, sizeof(kLetters) - 2);
  for (int i = 0; i < length; ++i) *out += kLetters[pick(*random)];
}

// The text a drop of `count` files delivers: every path followed by "\r\n", as the drop target
// builds it. Paths like C:\Users\user17\Documents\项目资料\报告2024\文件123.txt.
std::string DroppedFiles(int count) {
  std::mt19937 random(936);
  std::uniform_int_distribution<int> small(1, 6);
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "C:\\Users\\user";
    text += std::to_string(i % 50);
    text += "\\Documents\\";
    AppendChinese(&random, small(random), &text);
    text += '\\';
    AppendWord(&random, small(random), &text);
    AppendChinese(&random, small(random) / 2, &text);
    text += '\\';
    AppendChinese(&random, 2, &text);
    text += std::to_string(i);
    text += (i % 3 == 0) ? ".txt" : (i % 3 == 1) ? ".JPG" : ".docx";
    text += "\r\n";
  }
  return text;
}

// `bytes` of mixed ASCII words and Chinese runs; `find` is planted every `spacing` bytes in
// letter cases that vary, so a search that ignores case finds each one.
std::string MixedText(size_t bytes, const std::string& find, size_t spacing) {
  std::mt19937 random(1936);
  std::uniform_int_distribution<int> kind(0, 2);
  std::uniform_int_distribution<int> length(2, 9);
  std::string text;
  size_t nextPlant = spacing / 2;
  int planted = 0;
  while (text.size() < bytes) {
    if (text.size() >= nextPlant) {
      std::string copy = find;
      for (size_t i = 0; i < copy.size(); ++i) {
        if (((planted + i) & 1) != 0 && copy[i] >= 'a' && copy[i] <= 'z') copy[i] -= 0x20;
      }
      text += copy;
      ++planted;
      nextPlant += spacing;
    } else if (kind(random) == 0) {
      AppendChinese(&random, length(random) / 2 + 1, &text);
    } else {
      AppendWord(&random, length(random), &text);
    }
    text += (kind(random) == 0) ? ". " : " ";
  }
  return text;
}

constexpr int kDroppedFiles = 100000;
constexpr size_t kMebibyte = size_t{1} << 20;

const std::string& DroppedFilesText(int scale) {
  static const std::string one = DroppedFiles(kDroppedFiles);
  static const std::string ten = DroppedFiles(10 * kDroppedFiles);
  return scale == 1 ? one : ten;
}

// Few matches: one "report" every 64 KiB. Many matches: one ".jpg" every 40 bytes.
const char kFewFind[] = "report";
const char kFewReplacement[] = "summary";
const char kManyFind[] = ".jpg";
const char kManyReplacement[] = ".png";

const std::string& FewMatchesText(int scale) {
  static const std::string one = MixedText(kMebibyte, kFewFind, 64 * 1024);
  static const std::string ten = MixedText(10 * kMebibyte, kFewFind, 64 * 1024);
  return scale == 1 ? one : ten;
}

const std::string& ManyMatchesText(int scale) {
  static const std::string one = MixedText(kMebibyte, kManyFind, 40);
  static const std::string ten = MixedText(10 * kMebibyte, kManyFind, 40);
  return scale == 1 ? one : ten;
}

// ---- The floor: copying the bytes once ----

void RunMemcpy(benchmark::State& state, const std::string& text) {
  std::vector<char> out(text.size() + 1);
  for (auto _ : state) {
    std::memcpy(out.data(), text.data(), text.size() + 1);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// ---- Splitting ----

void BM_Split_Memcpy(benchmark::State& state) {
  RunMemcpy(state, DroppedFilesText(int(state.range(0))));
}

void BM_Split_SplitText(benchmark::State& state) {
  const std::string& text = DroppedFilesText(int(state.range(0)));
  for (auto _ : state) {
    TextArray paths = SplitText(text.c_str(), "\r\n");
    benchmark::DoNotOptimize(ElementCount(paths));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_Split_StdStringFind(benchmark::State& state) {
  const std::string& text = DroppedFilesText(int(state.range(0)));
  const std::string delimiter = "\r\n";
  for (auto _ : state) {
    std::vector<std::string> paths;
    size_t start = 0;
    for (size_t at = text.find(delimiter); at != std::string::npos;
         at = text.find(delimiter, start)) {
      paths.emplace_back(text, start, at - start);
      start = at + delimiter.size();
    }
    if (start < text.size()) paths.emplace_back(text, start);
    benchmark::DoNotOptimize(paths.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// ---- Replacing, case ignored ----

bool SameIgnoringCase(char a, char b) {
  auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 0x20) : c; };
  return fold(a) == fold(b);
}

using Load = const std::string& (*)(int scale);

void BM_Replace_Memcpy(benchmark::State& state, Load load, const char*, const char*) {
  RunMemcpy(state, load(int(state.range(0))));
}

void BM_Replace_ReplaceSubtext(benchmark::State& state, Load load, const char* find,
                               const char* replacement) {
  const std::string& text = load(int(state.range(0)));
  for (auto _ : state) {
    Text result = ReplaceSubtext(text.c_str(), find, replacement, 0, kNoReplacementLimit,
                                 /*caseSensitive=*/false);
    benchmark::DoNotOptimize(result.Block());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_Replace_StdSearch(benchmark::State& state, Load load, const char* findBytes,
                          const char* replacementBytes) {
  const std::string& text = load(int(state.range(0)));
  const std::string find = findBytes;
  const std::string replacement = replacementBytes;
  for (auto _ : state) {
    std::string out;
    auto from = text.begin();
    for (;;) {
      auto at = std::search(from, text.end(), find.begin(), find.end(), SameIgnoringCase);
      out.append(from, at);
      if (at == text.end()) break;
      out += replacement;
      from = at + static_cast<std::ptrdiff_t>(find.size());
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

BENCHMARK(BM_Split_Memcpy)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Split_SplitText)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Split_StdStringFind)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(BM_Replace_Memcpy, FewMatches, &FewMatchesText, kFewFind, kFewReplacement)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Replace_ReplaceSubtext, FewMatches, &FewMatchesText, kFewFind, kFewReplacement)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Replace_StdSearch, FewMatches, &FewMatchesText, kFewFind, kFewReplacement)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(BM_Replace_Memcpy, ManyMatches, &ManyMatchesText, kManyFind, kManyReplacement)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Replace_ReplaceSubtext, ManyMatches, &ManyMatchesText, kManyFind,
                  kManyReplacement)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Replace_StdSearch, ManyMatches, &ManyMatchesText, kManyFind, kManyReplacement)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
