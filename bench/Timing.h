// Timing helpers of the benchmarks that drive the real program from outside under Wine.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Milliseconds on the performance counter.
inline double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// One line: what was timed, the median and every run.
inline void Print(const char* what, const std::vector<double>& runs) {
  std::printf("%-44s median %8.1f ms  (", what, Median(runs));
  for (double r : runs) std::printf(" %.1f", r);
  std::printf(" )\n");
}
