# Read by cpack (CPACK_PROJECT_CONFIG_FILE): the package's library dependencies, as
# dpkg-shlibdeps finds them in the built binaries. Those of VELMORA_SOUND_BINARIES alone (the
# sound module and Qt Multimedia with it) are recommended rather than required: without them the
# clock runs, silently.
#   VELMORA_REQUIRED_BINARIES, VELMORA_SOUND_BINARIES: the binaries, as lists
#   VELMORA_DEPENDS, VELMORA_RECOMMENDS: what the package names besides
#   VELMORA_SHLIBDEPS_DIR: a folder to run dpkg-shlibdeps in

cmake_policy(SET CMP0057 NEW)

# The packages dpkg-shlibdeps names for the binaries, as a list of "name (>= version)".
function(velmora_shlibdeps binaries result)
    set(work ${VELMORA_SHLIBDEPS_DIR})
    # dpkg-shlibdeps wants a source package's control file where it runs.
    file(MAKE_DIRECTORY ${work}/debian)
    file(WRITE ${work}/debian/control "")
    execute_process(COMMAND dpkg-shlibdeps --ignore-missing-info -O ${binaries}
                    WORKING_DIRECTORY ${work}
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "dpkg-shlibdeps failed: ${errors}")
    endif()
    string(REGEX REPLACE "^.*shlibs:Depends=" "" output "${output}")
    string(STRIP "${output}" output)
    string(REPLACE ", " ";" packages "${output}")
    set(${result} ${packages} PARENT_SCOPE)
endfunction()

velmora_shlibdeps("${VELMORA_REQUIRED_BINARIES}" required)
velmora_shlibdeps("${VELMORA_SOUND_BINARIES}" sound)
set(names)
foreach(package IN LISTS required)
    string(REGEX REPLACE " .*" "" name "${package}")
    list(APPEND names ${name})
endforeach()
set(recommended)
foreach(package IN LISTS sound)
    string(REGEX REPLACE " .*" "" name "${package}")
    if(NOT name IN_LIST names)
        list(APPEND recommended "${package}")
    endif()
endforeach()
list(JOIN required ", " required)
list(JOIN recommended ", " recommended)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${required}, ${VELMORA_DEPENDS}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${VELMORA_RECOMMENDS}")
if(recommended)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${recommended}, ${VELMORA_RECOMMENDS}")
endif()
