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

# Only help_links.cpp reads these, so a changed address rebuilds one file.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/help_links.cpp PROPERTIES
    COMPILE_DEFINITIONS
    "VELMORA_SOURCE_DOCS_DIR=\"${VELMORA_DOCS_DIR}\";VELMORA_HELP_BASE_URL=\"${VELMORA_HELP_BASE_URL}\";VELMORA_FEEDBACK_ADDRESS=\"${VELMORA_FEEDBACK_ADDRESS}\"")

target_link_libraries(velmora_app PUBLIC Qt6::Widgets Qt6::Multimedia)

# The program looks for its pages in <executable dir>/../share/velmora/docs first, so the
# destination is spelled out rather than taken from GNUInstallDirs.
install(DIRECTORY ${VELMORA_DOCS_DIR}/ DESTINATION share/velmora/docs
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css")
