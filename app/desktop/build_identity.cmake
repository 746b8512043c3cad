# Writes the build identity that the program compares with its modules' before it loads one:
# the version and a hash of the build's settings (compiler, flags, Qt) and of every source the
# private library and the modules are made of, so that a module built from other sources or in
# another way is refused. The header is rewritten only when the identity changes.
#   cmake -DVERSION=0.2 -DINPUTS=FILE -DSOURCE_DIR=DIR -DOUTPUT=HEADER -P build_identity.cmake
# INPUTS holds the settings on its first line and then one source file a line.
file(STRINGS ${INPUTS} lines)
list(POP_FRONT lines settings)
set(digests "${settings}\n")
foreach(source IN LISTS lines)
    file(SHA256 ${source} digest)
    # Relative, so that the same sources built in another folder give the same identity.
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    string(APPEND digests "${digest} ${name}\n")
endforeach()
string(SHA256 hash "${digests}")
string(SUBSTRING ${hash} 0 16 hash)
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT
     "// Written by app/desktop/build_identity.cmake.\n#pragma once\n\n#define VELMORA_BUILD_IDENTITY \"${VERSION}+${hash}\"\n")
