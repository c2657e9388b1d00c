# SPDX-License-Identifier: GPL-3.0-or-later
# Copies a text file of the documentation or the packaging into the build tree with the
# program's version put in, at configure time, and configures again when the file changes.
# Only the tokens below are replaced: the files also hold other at-signs ("@dummy@") that
# configure_file would take for variables.
#   @ARBOLINK_VERSION@       the version, such as 2.0
#   @ARBOLINK_RELEASE_DATE@  the day of its release, YYYY-MM-DD
#   @ARBOLINK_HOMEPAGE@      the distributor's web page (may be empty)
function(arbolink_stamp input output)
    file(READ ${input} text)
    string(REPLACE "@ARBOLINK_VERSION@" "${PROJECT_VERSION}" text "${text}")
    string(REPLACE "@ARBOLINK_RELEASE_DATE@" "${ARBOLINK_RELEASE_DATE}" text "${text}")
    string(REPLACE "@ARBOLINK_HOMEPAGE@" "${ARBOLINK_HOMEPAGE}" text "${text}")
    set(before "")
    if(EXISTS ${output})
        file(READ ${output} before)
    endif()
    if(NOT before STREQUAL text) # an unchanged file keeps its time and starts no rebuild
        file(WRITE ${output} "${text}")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
endfunction()
