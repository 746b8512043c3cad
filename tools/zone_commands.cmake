# The zones and convert subcommands, compiled once into a library that velmora-tool and the
# tests link. Include after velmora-tool is defined.
add_library(velmora_zone_commands STATIC ${CMAKE_CURRENT_LIST_DIR}/zone_commands.cpp)
target_link_libraries(velmora_zone_commands PUBLIC velmora_time)
if(TARGET velmora-tool)
    target_link_libraries(velmora-tool PRIVATE velmora_zone_commands)
endif()
