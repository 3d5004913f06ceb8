# Benchmarks of the native core on the real POSIX seam (scripts/bench runs them).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(rufdepot_bench bench/load_bench.cpp)
  target_link_libraries(rufdepot_bench PRIVATE rufdepot_core rufdepot_system benchmark::benchmark)
else()
  message(STATUS "Google Benchmark not found: no benchmarks (scripts/bench installs it)")
endif()
