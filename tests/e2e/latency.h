#pragma once

#include <string>

namespace e2e {

// Arms the program for a second just ahead, `runs` times, and prints how long
// after the start of that second (by the local clock, which the program reads
// too) its countdown window was seen shown: each run, then the median and the
// 99th percentile. Figures only: nothing is judged.
int MeasureLatency(const std::wstring& program, const std::wstring& workRoot, int runs);

}  // namespace e2e
