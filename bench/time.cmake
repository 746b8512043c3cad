# Benchmarks of the time library; included from bench/CMakeLists.txt.
add_executable(velmora-time-bench ${CMAKE_CURRENT_LIST_DIR}/time_bench.cpp)
target_link_libraries(velmora-time-bench PRIVATE velmora_time benchmark::benchmark)
