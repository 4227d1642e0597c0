# The main window's tick.
add_executable(bench_tick ${CMAKE_CURRENT_LIST_DIR}/bench_tick.cpp)
target_link_libraries(bench_tick PRIVATE app benchmark::benchmark)
target_include_directories(bench_tick PRIVATE ${CMAKE_SOURCE_DIR}/src/app)
target_compile_definitions(bench_tick PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME bench_tick_smoke COMMAND bench_tick --benchmark_min_time=0.001)
set_tests_properties(bench_tick_smoke PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
