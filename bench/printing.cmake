# Benchmark of the print command (included from bench/CMakeLists.txt).
add_executable(bench_printing ${CMAKE_CURRENT_LIST_DIR}/bench_printing.cpp)
target_link_libraries(bench_printing PRIVATE printing benchmark::benchmark)
target_include_directories(bench_printing PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
target_compile_definitions(bench_printing PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# dyplom-druk's batch, when it is in the build.
if(TARGET batch_compose)
  add_executable(bench_druk ${CMAKE_CURRENT_LIST_DIR}/bench_druk.cpp)
  target_link_libraries(bench_druk PRIVATE batch_compose batch_run benchmark::benchmark)
  target_include_directories(bench_druk PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_compile_definitions(bench_druk PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # The smoke run makes the compact batch once (well under a second).
  add_test(NAME bench_druk_smoke COMMAND bench_druk --benchmark_filter=Compact --benchmark_min_time=0.001)
  set_tests_properties(bench_druk_smoke PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endif()
