# velmora_json: the JSON library behind velmora-tool; strings stay UTF-16 so lone surrogates survive.
add_library(velmora_json STATIC
    ${CMAKE_CURRENT_LIST_DIR}/json_value.cpp
    ${CMAKE_CURRENT_LIST_DIR}/json_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/json_writer.cpp)
target_include_directories(velmora_json PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(velmora_json PUBLIC cxx_std_20)
