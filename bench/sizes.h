#pragma once
// Every timed operation runs at three sizes, so that its growth shows: 10 000, 100 000
// and 1 000 000 values (or snapshot lines). The targets hold at 100 000.
#include <benchmark/benchmark.h>

namespace bench {

inline constexpr long kTargetSize = 100'000;

inline void ValueCounts(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(10'000)->Arg(kTargetSize)->Arg(1'000'000);
}

}  // namespace bench
