# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of the installed files: cpack -G DEB in the build folder writes
# arbolink_<version>_<architecture>.deb. The libraries it needs are found by dpkg-shlibdeps.
if(WIN32)
    return()
endif()
set(CPACK_PACKAGE_NAME arbolink)
set(CPACK_PACKAGE_VENDOR Arbolink)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "carries a folder tree across several removable disks")
set(CPACK_PACKAGE_DESCRIPTION
    "Arbolink divides a folder tree onto several removable disks and restores it from them in
any order. Every file goes whole onto one disk; every disk holds an index of the whole set.
The disks keep plain files. The interface is Japanese under a Japanese locale and English
under any other; arbolink-cli runs the same commands from a terminal.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Arbolink")
if(ARBOLINK_CONTACT)
    set(CPACK_PACKAGE_CONTACT "Arbolink <${ARBOLINK_CONTACT}>")
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The manual's font and the opener of its pages and of the About box's links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, xdg-utils")
if(ARBOLINK_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ARBOLINK_HOMEPAGE})
endif()
set(CPACK_GENERATOR DEB)
include(CPack)
