# Metafile reader + player benchmark (included from bench/CMakeLists.txt).
find_package(benchmark REQUIRED)
add_executable(bench_wmf ${CMAKE_CURRENT_LIST_DIR}/bench_wmf.cpp)
target_link_libraries(bench_wmf PRIVATE wmf benchmark::benchmark)
target_include_directories(bench_wmf PRIVATE ${CMAKE_SOURCE_DIR}/fuzz)
target_compile_definitions(bench_wmf PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# A few milliseconds of it in the suite, to keep it building and running.
add_test(NAME bench_wmf_smoke COMMAND bench_wmf --benchmark_filter=Preview --benchmark_min_time=0.001)
set_tests_properties(bench_wmf_smoke PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60)
# Times libwmf's wmf2gd on the same files and sizes: bench/wmf2gd_times.sh
