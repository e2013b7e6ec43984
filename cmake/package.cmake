# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: a Debian package of what the install rules install, with its library
# dependencies worked out by dpkg-shlibdeps and its description taken from the metainfo.

file(READ ${PROJECT_SOURCE_DIR}/data/mertano.metainfo.xml.in mertano_metainfo)
string(REGEX MATCH "<summary>([^<]*)</summary>" _ "${mertano_metainfo}")
set(mertano_summary "${CMAKE_MATCH_1}")
# The first paragraph without a language is the English description.
string(REGEX MATCH "<p>([^<]*)</p>" _ "${mertano_metainfo}")
string(REGEX REPLACE "[ \t\r\n]+" " " mertano_description "${CMAKE_MATCH_1}")
string(STRIP "${mertano_description}" mertano_description)
if(mertano_summary STREQUAL "" OR mertano_description STREQUAL "")
  message(FATAL_ERROR "The metainfo has no English summary or description")
endif()
# Debian shows the description as lines of at most 80 characters.
string(REPLACE " " ";" words "${mertano_description}")
set(mertano_description "")
set(line "")
foreach(word IN LISTS words)
  string(LENGTH "${line} ${word}" length)
  if(line STREQUAL "")
    set(line "${word}")
  elseif(length GREATER 76)
    string(APPEND mertano_description "${line}\n")
    set(line "${word}")
  else()
    string(APPEND line " ${word}")
  endif()
endforeach()
string(APPEND mertano_description "${line}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mertano)
set(CPACK_PACKAGE_VENDOR Vrelk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${mertano_summary}")
set(CPACK_PACKAGE_DESCRIPTION "${mertano_description}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CONTACT "Vrelk")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the window system's plugin at run time, so no library names it; the
# translations make Qt's own dialogs follow the program's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")

include(CPack)
