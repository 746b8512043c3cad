# The Wayland layer-shell surface: our own description of the few messages used, turned into
# C by Debian's wayland-scanner, over libwayland-client.
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET GLOBAL wayland-client)
# A layer surface's popups are xdg-shell popups, a drag follows the pointer's relative
# motion, where outputs lie comes from xdg-output, and a surface covering an output shows a
# buffer of one pixel through a viewport; Debian ships these descriptions.
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
if(NOT WAYLAND_PROTOCOLS_DIR)
    message(FATAL_ERROR "wayland-protocols not found (Debian: wayland-protocols)")
endif()
set(xdg_shell_xml ${WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml)
set(relative_xml
    ${WAYLAND_PROTOCOLS_DIR}/unstable/relative-pointer/relative-pointer-unstable-v1.xml)
set(xdg_output_xml ${WAYLAND_PROTOCOLS_DIR}/unstable/xdg-output/xdg-output-unstable-v1.xml)
set(viewporter_xml ${WAYLAND_PROTOCOLS_DIR}/stable/viewporter/viewporter.xml)
set(layer_shell_xml ${CMAKE_CURRENT_SOURCE_DIR}/protocols/layer_shell.xml)
set(layer_shell_gen ${CMAKE_CURRENT_BINARY_DIR}/protocols)
add_custom_command(
    OUTPUT ${layer_shell_gen}/layer_shell_client.h ${layer_shell_gen}/layer_shell_protocol.c
           ${layer_shell_gen}/xdg_shell_client.h ${layer_shell_gen}/xdg_shell_protocol.c
           ${layer_shell_gen}/relative_pointer_client.h ${layer_shell_gen}/relative_pointer_protocol.c
           ${layer_shell_gen}/xdg_output_client.h ${layer_shell_gen}/xdg_output_protocol.c
           ${layer_shell_gen}/viewporter_client.h ${layer_shell_gen}/viewporter_protocol.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${layer_shell_gen}
    COMMAND ${WAYLAND_SCANNER} client-header ${layer_shell_xml} ${layer_shell_gen}/layer_shell_client.h
    COMMAND ${WAYLAND_SCANNER} private-code ${layer_shell_xml} ${layer_shell_gen}/layer_shell_protocol.c
    COMMAND ${WAYLAND_SCANNER} client-header ${xdg_shell_xml} ${layer_shell_gen}/xdg_shell_client.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xdg_shell_xml} ${layer_shell_gen}/xdg_shell_protocol.c
    COMMAND ${WAYLAND_SCANNER} client-header ${relative_xml} ${layer_shell_gen}/relative_pointer_client.h
    COMMAND ${WAYLAND_SCANNER} private-code ${relative_xml} ${layer_shell_gen}/relative_pointer_protocol.c
    COMMAND ${WAYLAND_SCANNER} client-header ${xdg_output_xml} ${layer_shell_gen}/xdg_output_client.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xdg_output_xml} ${layer_shell_gen}/xdg_output_protocol.c
    COMMAND ${WAYLAND_SCANNER} client-header ${viewporter_xml} ${layer_shell_gen}/viewporter_client.h
    COMMAND ${WAYLAND_SCANNER} private-code ${viewporter_xml} ${layer_shell_gen}/viewporter_protocol.c
    DEPENDS ${layer_shell_xml} ${xdg_shell_xml} ${relative_xml} ${xdg_output_xml} ${viewporter_xml}
    VERBATIM)
add_library(velmora_layer_shell STATIC
    layer_buffers.cpp
    layer_catchers.cpp
    layer_outputs.cpp
    layer_pointer.cpp
    layer_shell_surface.cpp
    layer_shell_protocol.cpp
    ${layer_shell_gen}/layer_shell_client.h
    ${layer_shell_gen}/xdg_shell_client.h
    ${layer_shell_gen}/relative_pointer_client.h
    ${layer_shell_gen}/xdg_output_client.h
    ${layer_shell_gen}/viewporter_client.h)
# Built through layer_shell_protocol.cpp, which includes them after their headers.
set_source_files_properties(${layer_shell_gen}/layer_shell_protocol.c
                            ${layer_shell_gen}/xdg_shell_protocol.c
                            ${layer_shell_gen}/relative_pointer_protocol.c
                            ${layer_shell_gen}/xdg_output_protocol.c
                            ${layer_shell_gen}/viewporter_protocol.c
                            PROPERTIES HEADER_FILE_ONLY ON)
target_sources(velmora_layer_shell PRIVATE ${layer_shell_gen}/layer_shell_protocol.c
               ${layer_shell_gen}/xdg_shell_protocol.c
               ${layer_shell_gen}/relative_pointer_protocol.c
               ${layer_shell_gen}/xdg_output_protocol.c
               ${layer_shell_gen}/viewporter_protocol.c)
set_target_properties(velmora_layer_shell PROPERTIES AUTOMOC OFF)
target_include_directories(velmora_layer_shell PUBLIC ${PROJECT_SOURCE_DIR}
                           PRIVATE ${layer_shell_gen})
target_link_libraries(velmora_layer_shell PUBLIC Qt6::Core Qt6::Gui PRIVATE PkgConfig::WAYLAND_CLIENT)
set_target_properties(velmora_layer_shell PROPERTIES POSITION_INDEPENDENT_CODE ON)

# The clock on a layer surface is a module loaded on a Wayland session only: an X11 session
# maps neither it nor libwayland-client. What it takes from the program, the program exports.
add_library(velmora_wayland_parts OBJECT layer_shell_clock.cpp layer_frame_presenter.cpp)
set_target_properties(velmora_wayland_parts PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_link_libraries(velmora_wayland_parts PUBLIC velmora_app velmora_layer_shell)
add_library(velmora_wayland MODULE $<TARGET_OBJECTS:velmora_wayland_parts>)
add_dependencies(velmora_wayland velmora_layer_shell)
target_link_libraries(velmora_wayland PRIVATE
    -Wl,--whole-archive $<TARGET_FILE:velmora_layer_shell> -Wl,--no-whole-archive
    PkgConfig::WAYLAND_CLIENT Qt6::Gui -Wl,--push-state,--no-as-needed,-lc,--pop-state)
install(TARGETS velmora_wayland LIBRARY DESTINATION ${VELMORA_MODULES_DIR})
