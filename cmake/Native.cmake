# Native build: the portable core's unit tests and benchmarks.
add_executable(QuorvaneNativeTests
  tests/native/DataFileTest.cpp
  tests/native/FakeOs.cpp
  tests/native/SharedRoutinesTest.cpp
  tests/native/SnippetTreeTest.cpp
  tests/native/TreeRoutinesTest.cpp
)
target_link_libraries(QuorvaneNativeTests PRIVATE QuorvaneCore GTest::gmock GTest::gtest_main)
target_include_directories(QuorvaneNativeTests PRIVATE tests/native)
target_compile_options(QuorvaneNativeTests PRIVATE ${QV_WARNINGS})
include(GoogleTest)
gtest_discover_tests(QuorvaneNativeTests DISCOVERY_TIMEOUT 30)

# The codec's speed on a large generated collection; run by hand, not by ctest:
#   cmake --build build/native --target QuorvaneBenchmarks && build/native/QuorvaneBenchmarks
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(QuorvaneBenchmarks EXCLUDE_FROM_ALL
    benchmarks/DataFileBench.cpp
    tests/native/FakeOs.cpp
  )
  target_link_libraries(QuorvaneBenchmarks PRIVATE QuorvaneCore benchmark::benchmark)
  target_include_directories(QuorvaneBenchmarks PRIVATE tests/native)
  target_compile_options(QuorvaneBenchmarks PRIVATE ${QV_WARNINGS})
endif()
