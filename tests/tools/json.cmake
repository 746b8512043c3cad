# velmora-json-test: unit tests for velmora_json.
add_executable(velmora-json-test ${CMAKE_CURRENT_LIST_DIR}/json_test.cpp)
target_link_libraries(velmora-json-test PRIVATE velmora_json GTest::gtest_main)
gtest_discover_tests(velmora-json-test)
