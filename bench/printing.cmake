# Benchmark of the print command (included from bench/CMakeLists.txt).
find_package(benchmark REQUIRED)
add_executable(bench_printing ${CMAKE_CURRENT_LIST_DIR}/bench_printing.cpp)
target_link_libraries(bench_printing PRIVATE printing benchmark::benchmark)
target_compile_definitions(bench_printing PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
