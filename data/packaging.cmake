# What a Debian package carries beyond the program: metadata, manual pages, copyright and
# changelog, and the settings of CPack's DEB generator (scripts/package runs it).

set(KANSU_PACKAGE_CONTACT "kansu maintainers <kansu@example.org>"
    CACHE STRING "Maintainer of the package: name <address>")
set(KANSU_HOMEPAGE "https://kansu.example.org"
    CACHE STRING "Where the project lives; the metadata's screenshot is docs/window.png there")
set(KANSU_APPSTREAM_ID "org.example.kansu"
    CACHE STRING "The AppStream component id, reverse-DNS of the homepage's domain")

# The changelog's newest entry is the release: it must be this version, and its date is the
# release date in the metadata.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/data/changelog kansu_changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS data/changelog)
list(GET kansu_changelog 0 kansu_changelog_top)
string(REPLACE "." "\\." kansu_version_pattern "${PROJECT_VERSION}")
if(NOT kansu_changelog_top MATCHES "^kansu \\(${kansu_version_pattern}\\) ")
    message(FATAL_ERROR "data/changelog: the newest entry must be for version ${PROJECT_VERSION}, "
                        "not '${kansu_changelog_top}'")
endif()
foreach(line IN LISTS kansu_changelog)
    if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
        set(kansu_day ${CMAKE_MATCH_1})
        set(kansu_month_name ${CMAKE_MATCH_2})
        set(kansu_year ${CMAKE_MATCH_3})
        break()
    endif()
endforeach()
set(kansu_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND kansu_months "${kansu_month_name}" kansu_month)
if(NOT kansu_year OR kansu_month LESS 0)
    message(FATAL_ERROR "data/changelog: no date in the newest entry's trailer line")
endif()
math(EXPR kansu_month "${kansu_month} + 1")
if(kansu_month LESS 10)
    set(kansu_month "0${kansu_month}")
endif()
string(LENGTH "${kansu_day}" kansu_day_digits)
if(kansu_day_digits EQUAL 1)
    set(kansu_day "0${kansu_day}")
endif()
set(KANSU_RELEASE_DATE "${kansu_year}-${kansu_month}-${kansu_day}")

configure_file(data/kansu.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/kansu.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kansu.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME ${KANSU_APPSTREAM_ID}.metainfo.xml)

# The manual page, English and Japanese, printed by the program from its own --help text.
set(kansu_man_pages)
foreach(lang IN ITEMS en ja)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${lang}/kansu.1.gz)
    add_custom_command(
        OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:kansu> -DLANGUAGE=${lang} -DOUT=${page}
                -DRUNTIME=${CMAKE_CURRENT_BINARY_DIR}/xdg-runtime-man
                -P ${CMAKE_CURRENT_SOURCE_DIR}/data/manpage.cmake
        DEPENDS kansu ${CMAKE_CURRENT_SOURCE_DIR}/data/manpage.cmake
        COMMENT "Writing the ${lang} manual page")
    list(APPEND kansu_man_pages ${page})
endforeach()
set(kansu_changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
    OUTPUT ${kansu_changelog_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/doc
    COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/data/changelog > ${kansu_changelog_gz}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/data/changelog
    VERBATIM)
add_custom_target(kansu_package_files ALL DEPENDS ${kansu_man_pages} ${kansu_changelog_gz})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/en/kansu.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/ja/kansu.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
# Debian's places: a package whose version has no Debian revision keeps changelog.gz.
install(FILES data/copyright ${kansu_changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# A stripped install (the package's) also drops the compilers' notes, as Debian strips.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kansu\")
endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kansu)
set(CPACK_PACKAGE_CONTACT "${KANSU_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maths lesson: area of a figure leaving a rectangle")
set(CPACK_PACKAGE_DESCRIPTION
    "A one-window lesson for lower-secondary mathematics (Japanese, with English).
The learner builds a figure on the side of a 6 cm by 10 cm rectangle and moves
it out half a centimetre at a time; the area that has crossed the side is
shown on the board, in a table and on a graph against the distance moved.
Lesson files, printable worksheets and pictures for slides are included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KANSU_HOMEPAGE}")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The Qt libraries, print support included, come from what the program links; what it only
# loads at run time is named here: the Japanese font, Qt's own translations of its dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
# The X11 and offscreen platforms are in Qt's GUI library; these add touch (TUIO) and VNC.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")
include(CPack)
