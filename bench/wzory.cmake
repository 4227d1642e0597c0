# Converting designs into templates (included from bench/CMakeLists.txt).
if(NOT TARGET wzory)
  return()
endif()
add_executable(bench_wzory ${CMAKE_CURRENT_LIST_DIR}/bench_wzory.cpp)
target_link_libraries(bench_wzory PRIVATE wzory benchmark::benchmark Qt6::Test)
target_compile_definitions(bench_wzory PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_include_directories(bench_wzory PRIVATE ${CMAKE_SOURCE_DIR}/tests/wzory ${CMAKE_SOURCE_DIR}/tests/common)
# A few milliseconds of it in the suite, to keep it building and running.
add_test(NAME bench_wzory_smoke COMMAND bench_wzory --benchmark_filter=SvgCrest --benchmark_min_time=0.001)
set_tests_properties(bench_wzory_smoke PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
