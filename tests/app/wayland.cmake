# The layer-shell surface: unit tests that run anywhere, and a check under a headless sway
# that the check starts itself, with a helper program that shows frames and drives a pointer.
add_executable(velmora-layer-shell-surface-test app/layer_shell_surface_test.cpp
    app/desktop_choice_test.cpp)
# A compositor of a few globals, made with libwayland-server, stands for those that lack one.
pkg_check_modules(WAYLAND_SERVER REQUIRED IMPORTED_TARGET wayland-server)
target_link_libraries(velmora-layer-shell-surface-test PRIVATE velmora_layer_shell velmora_app GTest::gtest_main
                      PkgConfig::WAYLAND_SERVER PkgConfig::WAYLAND_CLIENT)
gtest_discover_tests(velmora-layer-shell-surface-test DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TZ=UTC;LC_ALL=C;QT_QPA_PLATFORM=offscreen")

add_executable(velmora-layer-placement-test app/layer_placement_test.cpp)
target_link_libraries(velmora-layer-placement-test PRIVATE velmora_app GTest::gtest_main)
gtest_discover_tests(velmora-layer-placement-test DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TZ=UTC;LC_ALL=C;QT_QPA_PLATFORM=offscreen")

set(probe_xml ${CMAKE_CURRENT_SOURCE_DIR}/app/protocols/virtual_pointer.xml)
set(probe_gen ${CMAKE_CURRENT_BINARY_DIR}/protocols)
add_custom_command(
    OUTPUT ${probe_gen}/virtual_pointer_client.h ${probe_gen}/virtual_pointer_protocol.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${probe_gen}
    COMMAND ${WAYLAND_SCANNER} client-header ${probe_xml} ${probe_gen}/virtual_pointer_client.h
    COMMAND ${WAYLAND_SCANNER} private-code ${probe_xml} ${probe_gen}/virtual_pointer_protocol.c
    DEPENDS ${probe_xml}
    VERBATIM)
set_source_files_properties(${probe_gen}/virtual_pointer_protocol.c PROPERTIES HEADER_FILE_ONLY ON)
add_executable(velmora-wayland-probe app/wayland_probe.cpp app/virtual_pointer_protocol.cpp
    ${probe_gen}/virtual_pointer_client.h ${probe_gen}/virtual_pointer_protocol.c)
target_include_directories(velmora-wayland-probe PRIVATE ${probe_gen})
target_link_libraries(velmora-wayland-probe PRIVATE velmora_layer_shell velmora_app Qt6::Gui
                      Qt6::DBus PkgConfig::WAYLAND_CLIENT)

add_executable(velmora-placement-probe app/placement_probe.cpp)
target_link_libraries(velmora-placement-probe PRIVATE velmora_app)

find_program(SWAY sway)
find_program(GRIM grim)
find_program(CONVERT convert)
add_test(NAME WaylandLayerCheck
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/wayland_layer_check.sh $<TARGET_FILE:velmora>
                 $<TARGET_FILE:velmora-wayland-probe> $<TARGET_FILE:velmora-tool>
                 $<TARGET_FILE:velmora-placement-probe>)
# 77: sway, grim or an unprivileged user to run them is missing here.
set_tests_properties(WaylandLayerCheck PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)

add_test(NAME KwinLayerCheck
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/kwin_layer_check.sh $<TARGET_FILE:velmora>
                 $<TARGET_FILE:velmora-wayland-probe> $<TARGET_FILE:velmora-tool>)
# 77: KWin, XWayland or an unprivileged user to run them is missing here.
set_tests_properties(KwinLayerCheck PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
