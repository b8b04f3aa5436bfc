# What the installation holds besides the programs, and the Debian package CPack builds from it
# (scripts/package). Included after every folder, so each program target exists here.

set(ZELMAR_APP_ID de.zelmar.zelmar)
set(ZELMAR_RELEASE_DATE 2026-12-06)
set(ZELMAR_HOMEPAGE "https://zelmar.example.org/" CACHE STRING
    "Project web site, named by the package and its AppStream metainfo")
# The README's picture of the console, as the web site serves the repository's docs/.
set(ZELMAR_SCREENSHOT_URL "${ZELMAR_HOMEPAGE}docs/console.png")
set(ZELMAR_MAINTAINER "The ZELMAR developers <zelmar@example.org>" CACHE STRING
    "Maintainer of the Debian package")

# Every program of the package. The command-line program has its own folder and joins when
# this build has it.
set(ZELMAR_PROGRAMS zelmar zelmar-sim)
if(TARGET zelmar-cli)
    install(TARGETS zelmar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND ZELMAR_PROGRAMS zelmar-cli)
endif()
add_custom_target(programs)
add_dependencies(programs ${ZELMAR_PROGRAMS})
# Read by the package test: what must be in /usr/bin.
string(REPLACE ";" "\n" programs_lines "${ZELMAR_PROGRAMS}")
file(WRITE ${CMAKE_BINARY_DIR}/packaging/programs.txt "${programs_lines}\n")

set(pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(out ${CMAKE_BINARY_DIR}/packaging)

# Desktop entry, AppStream metainfo, icons.
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

# The Debian package. Its dependencies are the shared libraries the programs link (the Qt 6
# runtime packages), as dpkg-shlibdeps finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmar)
set(CPACK_PACKAGE_VENDOR "The ZELMAR developers")
set(CPACK_PACKAGE_CONTACT "${ZELMAR_MAINTAINER}")
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
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZELMAR_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELMAR_MAINTAINER}")
include(CPack)
