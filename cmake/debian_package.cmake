# The Debian package of a native Linux build (cpack -G DEB in its folder):
# the programs, stripped, the manual pages, the licence, a changelog and an
# example udev rule, under /usr. Its architecture is the compiler's target.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine OUTPUT_VARIABLE target OUTPUT_STRIP_TRAILING_WHITESPACE)
if(target MATCHES "^x86_64-")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
elseif(target MATCHES "^aarch64-")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
elseif(target MATCHES "^arm.*-gnueabihf$")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE armhf)
else()
  return()  # no package for a target Debian is not named here
endif()

set(CPACK_PACKAGE_NAME padconfig)
set(CPACK_PACKAGE_CONTACT "The padconfig developers <padconfig@example.org>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)  # the packaging's own revision: changelog.Debian is for such a package
set(PADCONFIG_DEB_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # padconfig_VERSION-1_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure an H8/3052F or H8/3048F USB game pad")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "padconfig reads and sets the buttons, direction and button sets of a USB
game pad built on an H8/3052F or H8/3048F microcontroller, whose firmware
is reached over a serial port at 9600 baud.

padsim stands in for such a pad on a pseudo-terminal, for trying the tool
without one.")
set(CPACK_STRIP_FILES TRUE)
# A host build's libraries are read by dpkg-shlibdeps; a cross build's
# Depends come from its programs' symbol versions (debian_depends.cmake).
if(NOT CMAKE_CROSSCOMPILING)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_PADCONFIG_OBJDUMP ${CMAKE_OBJDUMP})
  set(CPACK_PADCONFIG_PROGRAMS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/padconfig ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/padsim)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/debian_depends.cmake)
endif()

# What only the package carries: the plain install keeps its uncompressed
# manual page (component "manual"), the package the gzipped one.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(deb ${CMAKE_BINARY_DIR}/debian)
set(gzip sh -c "gzip -9n <\"$1\" >\"$2\"" gzip)  # no name or time stored
foreach(page padconfig.1 padsim.1)
  add_custom_command(OUTPUT ${deb}/${page}.gz
    COMMAND ${gzip} ${PADCONFIG_ROOT}/doc/${page} ${deb}/${page}.gz
    DEPENDS ${PADCONFIG_ROOT}/doc/${page} VERBATIM)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${deb}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${deb}/changelog.Debian.gz
  COMMAND ${gzip} ${deb}/changelog.Debian ${deb}/changelog.Debian.gz
  DEPENDS ${deb}/changelog.Debian VERBATIM)
add_custom_target(debian_files ALL DEPENDS ${deb}/padconfig.1.gz ${deb}/padsim.1.gz ${deb}/changelog.Debian.gz)

# The udev rule is the one docs/linux.md shows, taken from it.
file(STRINGS ${PADCONFIG_ROOT}/docs/linux.md rule REGEX "^    SUBSYSTEM==\"tty\"")
string(STRIP "${rule}" rule)
if(NOT rule)
  message(FATAL_ERROR "docs/linux.md shows no udev rule")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PADCONFIG_ROOT}/docs/linux.md)
file(CONFIGURE OUTPUT ${deb}/70-gamepad.rules.example CONTENT "# A name of its own for the pad, /dev/gamepad: copy to
# /etc/udev/rules.d/70-gamepad.rules and put in your pad's vendor and
# product, which udevadm info -a /dev/ttyACM0 shows (idVendor, idProduct);
# then sudo udevadm control --reload && sudo udevadm trigger.
${rule}
")

set(doc ${CMAKE_INSTALL_DATADIR}/doc/padconfig)
install(FILES ${deb}/padconfig.1.gz ${deb}/padsim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PADCONFIG_ROOT}/LICENSE DESTINATION ${doc} RENAME copyright COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${deb}/changelog.Debian.gz ${deb}/70-gamepad.rules.example DESTINATION ${doc} COMPONENT debian EXCLUDE_FROM_ALL)
include(CPack)
