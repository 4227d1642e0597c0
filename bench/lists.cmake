# Class lists read and made into pages (included from bench/CMakeLists.txt).
if(TARGET batch)
  add_executable(bench_lists ${CMAKE_CURRENT_LIST_DIR}/bench_lists.cpp)
  target_link_libraries(bench_lists PRIVATE batch benchmark::benchmark)
  target_include_directories(bench_lists PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  # The smoke run reads the list once.
  add_test(NAME bench_lists_smoke COMMAND bench_lists --benchmark_filter=ReadCsv --benchmark_min_time=0.001)
  set_tests_properties(bench_lists_smoke PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endif()
