# Native build: the portable core's unit tests and benchmarks.
add_executable(QuorvaneNativeTests
  tests/native/ClipboardCaptureTest.cpp
  tests/native/DataFileTest.cpp
  tests/native/FakeOs.cpp
  tests/native/HintPlacementTest.cpp
  tests/native/HotkeysTest.cpp
  tests/native/ImportExportTest.cpp
  tests/native/LanguageTest.cpp
  tests/native/MenuBarPlacementTest.cpp
  tests/native/MenuLayoutTest.cpp
  tests/native/OrgRulesTest.cpp
  tests/native/PasteEngineTest.cpp
  tests/native/PopupMenuRulesTest.cpp
  tests/native/SettingsTest.cpp
  tests/native/SharedRoutinesTest.cpp
  tests/native/SnippetTreeTest.cpp
  tests/native/SubmenuRulesTest.cpp
  tests/native/TextFilesTest.cpp
  tests/native/TextTest.cpp
  tests/native/TrayMenuTest.cpp
  tests/native/TreeRoutinesTest.cpp
  tests/native/UpdateCheckTest.cpp
)
target_link_libraries(QuorvaneNativeTests PRIVATE QuorvaneCore GTest::gmock GTest::gtest_main)
target_include_directories(QuorvaneNativeTests PRIVATE tests/native)
target_compile_definitions(QuorvaneNativeTests PRIVATE QV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_compile_options(QuorvaneNativeTests PRIVATE ${QV_WARNINGS})
# One process for all of them: a process per test costs far more than the tests themselves.
add_test(NAME NativeTests COMMAND QuorvaneNativeTests)

# The scripts' own rules.
add_test(NAME WineEnvironment COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/WineEnvTest.sh)
# The three layers stay apart: no Win32 header in the portable core, no product header in the
# window layer.
add_test(NAME Layering COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/LayeringTest.sh)

# The codec's and the clipboard capture's speed on large generated collections; built with the rest
# so they never fall behind the code, run by hand, not by ctest:
#   cmake --build build/native --target QuorvaneBenchmarks && build/native/QuorvaneBenchmarks
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(QuorvaneBenchmarks
    benchmarks/Collection.cpp
    benchmarks/DataFileBench.cpp
    benchmarks/ClipboardBench.cpp
    benchmarks/MenuLayoutBench.cpp
    tests/native/FakeOs.cpp
  )
  target_link_libraries(QuorvaneBenchmarks PRIVATE QuorvaneCore benchmark::benchmark)
  target_include_directories(QuorvaneBenchmarks PRIVATE tests/native)
  target_compile_options(QuorvaneBenchmarks PRIVATE ${QV_WARNINGS})
endif()

# Fuzzing with libFuzzer and the sanitizers, in a build of its own (scripts/fuzz.sh):
#   cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DQV_FUZZ=ON
option(QV_FUZZ "Build the fuzz targets (needs clang)" OFF)
if(QV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QV_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(QV_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(QuorvaneCore PUBLIC ${QV_SANITIZERS} -fsanitize=fuzzer-no-link)
  target_link_options(QuorvaneCore PUBLIC ${QV_SANITIZERS})
  add_executable(DataFileFuzz fuzz/DataFileFuzz.cpp tests/native/FakeOs.cpp)
  target_link_options(DataFileFuzz PRIVATE -fsanitize=fuzzer)
  add_executable(MakeCorpus fuzz/MakeCorpus.cpp tests/native/FakeOs.cpp)
  foreach(target DataFileFuzz MakeCorpus)
    target_link_libraries(${target} PRIVATE QuorvaneCore)
    target_include_directories(${target} PRIVATE tests/native)
    target_compile_options(${target} PRIVATE ${QV_WARNINGS})
  endforeach()
endif()
