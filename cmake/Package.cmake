# The Debian package, made by CPack from the install rules (scripts/package).
# Everything versioned in it comes from the project version.

set(QUILLO_PACKAGE_MAINTAINER "Die Quillo-Entwickler <quillo@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package, as NAME <ADDRESS>")

# The release date as a Debian changelog wants it ("Sun, 06 Dec 2026 ...");
# the weekday by Sakamoto's rule.
string(REPLACE "-" ";" date_parts ${QUILLO_RELEASE_DATE})
list(GET date_parts 0 year)
list(GET date_parts 1 month)
list(GET date_parts 2 day)
math(EXPR month "${month}")
math(EXPR day "${day}")
set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR index "${month} - 1")
list(GET month_offsets ${index} offset)
set(y ${year})
if(month LESS 3)
  math(EXPR y "${y} - 1")
endif()
math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
set(weekdays Sun Mon Tue Wed Thu Fri Sat)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET weekdays ${weekday} weekday_name)
list(GET months ${index} month_name)
if(day LESS 10)
  set(day "0${day}")
endif()
set(QUILLO_RELEASE_DATE_RFC2822 "${weekday_name}, ${day} ${month_name} ${year} 12:00:00 +0000")

# The documents Debian wants of every package: a compressed changelog and
# the copyright file.
set(changelog ${PROJECT_BINARY_DIR}/debian/changelog)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${changelog} @ONLY)
add_custom_command(
  OUTPUT ${changelog}.gz
  COMMAND gzip -9nkf ${changelog}
  DEPENDS ${changelog}
  VERBATIM)
add_custom_target(quillo-changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz ${PROJECT_SOURCE_DIR}/resources/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUILLO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILLO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/quillo/quillo)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "flash-card program: write, learn and print flash cards
Quillo is a flash-card program with a German user interface: card sets
with rich-text questions and answers, learning with a card box of four
compartments, printing as cards to cut out (on both sides, with printer
calibration), import of word lists and of card sets of version 2.5, and
export as a web page or a word list.

The package holds the program quillo and the command-line companion
quillo-cli, which reads, converts, prints to PDF and exchanges card sets
without a display.")
# Libraries from the binaries; what Qt loads at run time (image format and
# SVG plugins, its German texts) and the metric-compatible "Arial" that the
# default fonts and all printing rely on by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libqt6svg6, qt6-image-formats-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
