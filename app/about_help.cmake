# The info dialog, the help links and what they need: artwork, sound, the user pages.
set(VELMORA_HELP_BASE_URL "" CACHE STRING
    "http(s) base of a web copy of the user pages; empty opens the installed pages")
set(VELMORA_FEEDBACK_ADDRESS "" CACHE STRING
    "E-mail address for \"Send e-mail feedback...\"; empty makes the program say there is none")

set(VELMORA_DOCS_DIR ${PROJECT_SOURCE_DIR}/docs)

target_sources(velmora_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help_links.cpp
    ${PROJECT_SOURCE_DIR}/resources/app_resources.qrc)
set_target_properties(velmora_app PROPERTIES AUTOMOC ON AUTORCC ON)

# The info dialog's picture and chime are a resource file of their own, beside the program in
# the build tree and among its data once installed: read when the dialog opens, they take no
# room in the program, whose pages are read in at every start.
qt_add_binary_resources(velmora_about_resources ${PROJECT_SOURCE_DIR}/resources/about_resources.qrc
                        DESTINATION ${CMAKE_CURRENT_BINARY_DIR}/velmora_about.rcc)
add_dependencies(velmora_app velmora_about_resources)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velmora_about.rcc
        DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)

# Only help_links.cpp reads these, so a changed address rebuilds one file.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/help_links.cpp PROPERTIES
    COMPILE_DEFINITIONS
    "VELMORA_SOURCE_DOCS_DIR=\"${VELMORA_DOCS_DIR}\";VELMORA_HELP_BASE_URL=\"${VELMORA_HELP_BASE_URL}\";VELMORA_FEEDBACK_ADDRESS=\"${VELMORA_FEEDBACK_ADDRESS}\"")

target_link_libraries(velmora_app PUBLIC Qt6::Widgets)

# The chime is the only user of Qt Multimedia, whose audio stack would otherwise be mapped at
# every start: a module loaded at the first chime (see app/CMakeLists.txt for where modules go).
target_sources(velmora_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/chime_player.cpp)
add_library(velmora_chime MODULE ${CMAKE_CURRENT_LIST_DIR}/chime_module.cpp)
target_include_directories(velmora_chime PRIVATE ${PROJECT_SOURCE_DIR})
# Debian wants every shared object to name libc, which --as-needed would drop here: the module
# reaches it only through Qt.
target_link_libraries(velmora_chime PRIVATE Qt6::Core Qt6::Multimedia
    -Wl,--push-state,--no-as-needed,-lc,--pop-state)
add_dependencies(velmora_app velmora_chime)
install(TARGETS velmora_chime LIBRARY DESTINATION ${VELMORA_MODULES_DIR})

# The program looks for its pages in <executable dir>/VELMORA_DATA_FROM_BIN/docs first.
install(DIRECTORY ${VELMORA_DOCS_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora/docs
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css")
