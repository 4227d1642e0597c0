# Reading class lists from spreadsheets (included from bench/CMakeLists.txt).
if(NOT TARGET sheet_samples)
  return()
endif()
add_executable(bench_sheets ${CMAKE_CURRENT_LIST_DIR}/bench_sheets.cpp)
target_link_libraries(bench_sheets PRIVATE batch sheet_samples benchmark::benchmark)
target_compile_definitions(bench_sheets PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# A few milliseconds of it in the suite, to keep it building and running.
add_test(NAME bench_sheets_smoke COMMAND bench_sheets --benchmark_filter=Ods --benchmark_min_time=0.001)
set_tests_properties(bench_sheets_smoke PROPERTIES TIMEOUT 120)
