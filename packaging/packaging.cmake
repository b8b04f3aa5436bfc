# What the installation holds besides the programs, and the Debian package CPack builds from it
# (scripts/package). Included after every folder, so each program target exists here.

set(ZELMAR_APP_ID de.zelmar.zelmar)
set(ZELMAR_RELEASE_DATE 2026-12-06)
# ZELMAR has no web site and no contact address yet: fields that need one are left out rather
# than filled with an address nobody answers. A build that has them sets these.
set(ZELMAR_WEBSITE "" CACHE STRING
    "Project web site (with its trailing /), named by the package and its AppStream metainfo")
# The maintainer defaults to whoever builds the package when they name themselves the Debian
# way (DEBFULLNAME and DEBEMAIL).
if(DEFINED ENV{DEBFULLNAME} AND DEFINED ENV{DEBEMAIL})
    set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
    set(maintainer "The ZELMAR developers")
endif()
set(ZELMAR_PACKAGE_MAINTAINER "${maintainer}" CACHE STRING
    "Maintainer of the Debian package, with an address in <> where there is one")

# Every program of the package. The command-line program has its own folder and joins when
# this build has it.
set(ZELMAR_PROGRAMS zelmar zelmar-sim)
if(TARGET zelmar-cli)
    install(TARGETS zelmar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND ZELMAR_PROGRAMS zelmar-cli)
endif()
if(TARGET zelmar-bridge)
    install(TARGETS zelmar-bridge RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/zelmar-bridge@.service
            DESTINATION lib/systemd/system)
    list(APPEND ZELMAR_PROGRAMS zelmar-bridge)
endif()
add_custom_target(programs)
add_dependencies(programs ${ZELMAR_PROGRAMS})
# Read by the package test: what must be in /usr/bin.
string(REPLACE ";" "\n" programs_lines "${ZELMAR_PROGRAMS}")
file(WRITE ${CMAKE_BINARY_DIR}/packaging/programs.txt "${programs_lines}\n")

set(pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(out ${CMAKE_BINARY_DIR}/packaging)

# Desktop entry, AppStream metainfo, icons.
# The web site's address and the README's picture of the console, as the site would serve the
# repository's docs/, only when there is a site.
set(ZELMAR_WEB "")
if(ZELMAR_WEBSITE)
    string(CONCAT ZELMAR_WEB
        "  <url type=\"homepage\">${ZELMAR_WEBSITE}</url>\n"
        "  <screenshots>\n"
        "    <screenshot type=\"default\">\n"
        "      <caption>The console connected to the demo installation</caption>\n"
        "      <image>${ZELMAR_WEBSITE}docs/console.png</image>\n"
        "    </screenshot>\n"
        "  </screenshots>\n")
endif()
set(ZELMAR_PROVIDES "")
foreach(p ${ZELMAR_PROGRAMS})
    string(APPEND ZELMAR_PROVIDES "    <binary>${p}</binary>\n")
endforeach()
configure_file(${pkg}/zelmar.desktop.in ${out}/${ZELMAR_APP_ID}.desktop @ONLY)
configure_file(${pkg}/zelmar.metainfo.xml.in ${out}/${ZELMAR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${out}/${ZELMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${out}/${ZELMAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${pkg}/icons/zelmar.svg DESTINATION ${icons}/scalable/apps
        RENAME ${ZELMAR_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${pkg}/icons/zelmar-${size}.png DESTINATION ${icons}/${size}x${size}/apps
            RENAME ${ZELMAR_APP_ID}.png)
endforeach()

# Manual pages (every docs/man/*.1) and the changelog, compressed as Debian wants them: gzip -9
# without name or time stamp, so the same sources give the same package.
execute_process(COMMAND date -u -R -d "${ZELMAR_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE ZELMAR_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${pkg}/changelog.in ${out}/changelog @ONLY)
file(GLOB man_pages CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/man/*.1)
set(compressed)
foreach(src ${man_pages} ${out}/changelog)
    get_filename_component(name ${src} NAME)
    add_custom_command(OUTPUT ${out}/${name}.gz
                       COMMAND gzip -9n -c ${src} > ${out}/${name}.gz
                       DEPENDS ${src} VERBATIM)
    list(APPEND compressed ${out}/${name}.gz)
    if(NOT name STREQUAL "changelog")
        install(FILES ${out}/${name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
add_dependencies(programs compressed_docs)
set(doc ${CMAKE_INSTALL_DATADIR}/doc/zelmar)
install(FILES ${out}/changelog.gz ${pkg}/copyright DESTINATION ${doc})
# Without an address the maintainer and the changelog's sign-off are what lintian cannot parse.
if(NOT ZELMAR_PACKAGE_MAINTAINER MATCHES "<.+@.+>")
    install(FILES ${pkg}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
            RENAME zelmar)
endif()

# The Debian package. Its dependencies are the shared libraries the programs link (the Qt 6
# runtime packages), as dpkg-shlibdeps finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmar)
set(CPACK_PACKAGE_VENDOR "The ZELMAR developers")
set(CPACK_PACKAGE_CONTACT "${ZELMAR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "commission, test and operate a TWI (I2C) bus over RS-232")
set(CPACK_PACKAGE_DESCRIPTION
    "ZELMAR drives the TWI (I2C) bus of a home-heating installation through an
RS232-TWI interface board: it diagnoses the interface, scans the bus, drives
the TWI hardware register by register, reads, edits and erases serial EEPROMs
and ATmega8 memory, keeps a directory of the slaves and shows a live display
of the apartment. zelmar-sim simulates the interface board and its
installation on a pseudo-terminal.

Serial ports belong to the group dialout: join it once
(sudo adduser $USER dialout) and log in again before using a real interface.

Settings and logbooks live in ~/.local/share/zelmar/.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(ZELMAR_WEBSITE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZELMAR_WEBSITE}")
endif()
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELMAR_PACKAGE_MAINTAINER}")
include(CPack)
