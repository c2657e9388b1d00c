# SPDX-License-Identifier: GPL-3.0-or-later
# The window's catalogues: Qt Linguist's lupdate reads the texts out of the window's sources into
# translations/arbolink_<language>.ts, and lrelease compiles each .ts into a .qm that the program
# carries as a resource. Japanese is the source language and has no catalogue of its own.
#
# Both tools run on the build machine, also in a cross-build, so they are looked for as host
# programs (Debian: qt6-l10n-tools). CMake's Qt6LinguistTools package is not used: Debian ships
# it with Designer and Assistant, and a cross-build's target Qt has none.

set(ARBOLINK_TRANSLATED_LANGUAGES en)
# The folders whose sources hold the window's texts.
set(ARBOLINK_TRANSLATED_SOURCES
    ${PROJECT_SOURCE_DIR}/src/ui ${PROJECT_SOURCE_DIR}/src/widgets
    ${PROJECT_SOURCE_DIR}/app ${PROJECT_SOURCE_DIR}/tools/screenshot)
# Tables that plain C++ code includes as well mark their texts with ARBOLINK_TRANSLATE_NOOP
# (ui/Translatable.h), which lupdate is told to read as QT_TRANSLATE_NOOP.
set(ARBOLINK_LUPDATE_OPTIONS -I ${PROJECT_SOURCE_DIR}/src -locations none
    -tr-function-alias QT_TRANSLATE_NOOP+=ARBOLINK_TRANSLATE_NOOP -source-language ja -target-language en)

set(qt_host_bins /usr/lib/qt6/bin)
if(QT_HOST_PATH)
    list(PREPEND qt_host_bins ${QT_HOST_PATH}/lib/qt6/bin ${QT_HOST_PATH}/bin)
endif()
if(QT6_INSTALL_PREFIX AND QT6_INSTALL_BINS AND NOT CMAKE_CROSSCOMPILING)
    list(PREPEND qt_host_bins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
endif()
find_program(ARBOLINK_LUPDATE NAMES lupdate lupdate-qt6 HINTS ${qt_host_bins})
find_program(ARBOLINK_LRELEASE NAMES lrelease lrelease-qt6 HINTS ${qt_host_bins})
if(NOT ARBOLINK_LUPDATE OR NOT ARBOLINK_LRELEASE)
    message(FATAL_ERROR "Qt's lupdate and lrelease are needed (Debian: qt6-l10n-tools)")
endif()

# Compiles the catalogues and puts them into target's resources under :/i18n/.
# The target arbolink_lupdate brings the .ts files up to date with the sources.
function(arbolink_add_translations target)
    set(qm_files "")
    set(ts_files "")
    foreach(language ${ARBOLINK_TRANSLATED_LANGUAGES})
        set(ts ${PROJECT_SOURCE_DIR}/translations/arbolink_${language}.ts)
        set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/arbolink_${language}.qm)
        add_custom_command(
            OUTPUT ${qm}
            COMMAND ${ARBOLINK_LRELEASE} -silent ${ts} -qm ${qm}
            DEPENDS ${ts}
            COMMENT "Compiling the ${language} catalogue")
        list(APPEND qm_files ${qm})
        list(APPEND ts_files ${ts})
    endforeach()
    set_source_files_properties(${qm_files} PROPERTIES GENERATED TRUE)
    qt_add_resources(${target} arbolink_translations PREFIX /i18n
                     BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n FILES ${qm_files})
    add_custom_target(arbolink_lupdate
        COMMAND ${ARBOLINK_LUPDATE} ${ARBOLINK_LUPDATE_OPTIONS} -no-obsolete ${ARBOLINK_TRANSLATED_SOURCES}
                -ts ${ts_files}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Bringing the catalogues up to date with the sources"
        VERBATIM)
endfunction()
