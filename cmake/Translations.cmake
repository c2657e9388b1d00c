# SPDX-License-Identifier: GPL-3.0-or-later
# The window's catalogues: Qt Linguist's lupdate reads the texts out of the window's sources into
# translations/arbolink_<language>.ts (the target arbolink_ui_lupdate brings them up to date),
# and lrelease compiles each .ts into a .qm that the program carries as a resource under
# :/i18n/. Japanese is the source language and has no catalogue of its own.
#
# Both tools run on the build machine (Debian: qt6-l10n-tools, and qt6-tools-dev for their CMake
# package); a cross-build finds them through QT_HOST_PATH, as it finds moc.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(ARBOLINK_TRANSLATED_LANGUAGES en)
# The sources that hold the window's texts.
file(GLOB ARBOLINK_TRANSLATED_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/ui/*.cpp ${PROJECT_SOURCE_DIR}/src/ui/*.h
     ${PROJECT_SOURCE_DIR}/src/widgets/*.cpp ${PROJECT_SOURCE_DIR}/src/widgets/*.h
     ${PROJECT_SOURCE_DIR}/app/*.cpp ${PROJECT_SOURCE_DIR}/app/*.h
     ${PROJECT_SOURCE_DIR}/tools/screenshot/*.cpp)
# Tables that plain C++ code includes as well mark their texts with ARBOLINK_TRANSLATE_NOOP
# (ui/Translatable.h), which lupdate is told to read as QT_TRANSLATE_NOOP.
set(ARBOLINK_LUPDATE_OPTIONS -locations none
    -tr-function-alias QT_TRANSLATE_NOOP+=ARBOLINK_TRANSLATE_NOOP
    -source-language ja)

# Compiles the catalogues into target's resources, and adds the target ${target}_lupdate.
function(arbolink_add_translations target)
    set(ts_files "")
    foreach(language ${ARBOLINK_TRANSLATED_LANGUAGES})
        list(APPEND ts_files ${PROJECT_SOURCE_DIR}/translations/arbolink_${language}.ts)
    endforeach()
    qt_add_translations(${target}
        TS_FILES ${ts_files}
        SOURCES ${ARBOLINK_TRANSLATED_SOURCES}
        INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
        LUPDATE_OPTIONS ${ARBOLINK_LUPDATE_OPTIONS} -no-obsolete
        LRELEASE_OPTIONS -silent
        RESOURCE_PREFIX /i18n)
endfunction()
