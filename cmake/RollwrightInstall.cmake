# What `cmake --install` puts in place, the CMake package that lets another
# project find_package(rollwright) and link rollwright::rollwright, the
# pkg-config file, and the release packages CPack makes of all of it: an
# archive (.tar.gz or .zip) with stripped binaries and their separate debug
# files beside them, and on Linux a Debian package.
include(CMakePackageConfigHelpers)

install(TARGETS rollwright EXPORT rollwrightTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT module
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT module
          NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES include/rollwright.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT module)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT module)
install(TARGETS rollwright_cli
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)

set(ROLLWRIGHT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/rollwright)
install(EXPORT rollwrightTargets NAMESPACE rollwright::
  DESTINATION ${ROLLWRIGHT_CMAKE_DIR} COMPONENT development)
configure_package_config_file(cmake/rollwrightConfig.cmake.in
  ${PROJECT_BINARY_DIR}/rollwrightConfig.cmake
  INSTALL_DESTINATION ${ROLLWRIGHT_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/rollwrightConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/rollwrightConfig.cmake
              ${PROJECT_BINARY_DIR}/rollwrightConfigVersion.cmake
  DESTINATION ${ROLLWRIGHT_CMAKE_DIR} COMPONENT development)

# pkg-config's rollwright.pc, found relative to itself, so that the tree can
# be installed under any prefix.
set(ROLLWRIGHT_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH ROLLWRIGHT_PC_TO_PREFIX /prefix/${ROLLWRIGHT_PC_DIR} /prefix)
configure_file(cmake/rollwright.pc.in ${PROJECT_BINARY_DIR}/rollwright.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/rollwright.pc
  DESTINATION ${ROLLWRIGHT_PC_DIR} COMPONENT development)

# The tool's manual page, made from its --help.
if(NOT CMAKE_CROSSCOMPILING)
  find_program(ROLLWRIGHT_HELP2MAN help2man)
endif()
if(ROLLWRIGHT_HELP2MAN)
  set(ROLLWRIGHT_MAN_PAGE ${PROJECT_BINARY_DIR}/rollwright.1.gz)
  add_custom_command(OUTPUT ${ROLLWRIGHT_MAN_PAGE}
    COMMAND ${ROLLWRIGHT_HELP2MAN} --no-info --no-discard-stderr
            --name "roll dice requests through the rollwright module"
            --output rollwright.1 $<TARGET_FILE:rollwright_cli>
    COMMAND gzip -n -9 -f rollwright.1
    DEPENDS rollwright_cli
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
  add_custom_target(rollwright_man ALL DEPENDS ${ROLLWRIGHT_MAN_PAGE})
  install(FILES ${ROLLWRIGHT_MAN_PAGE}
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)
endif()

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  math(EXPR ROLLWRIGHT_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  set(CPACK_SYSTEM_NAME windows-${ROLLWRIGHT_BITS})
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
  install(FILES packaging/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT module)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND gzip -n -9 -c ${PROJECT_SOURCE_DIR}/packaging/changelog
            > ${PROJECT_BINARY_DIR}/changelog.gz
    DEPENDS packaging/changelog)
  add_custom_target(rollwright_changelog ALL
    DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT module)
endif()
set(CPACK_PACKAGE_VENDOR "rollwright")
set(CPACK_PACKAGE_CONTACT "rollwright developers <rollwright@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dice-rolling module for host applications, and its tool")
set(CPACK_STRIP_FILES ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME rollwright)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The system's linker cache learns of the module through a trigger.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A host loads the module and hands it one line of text, a dice request such
as 3#2d6+1 fire or 3d6 skill 12 sword; the module rolls and writes one
English sentence back. The package holds the module, its C header, the
rollwright command-line tool and the CMake and pkg-config files.")
configure_file(packaging/cpack-options.cmake.in
  ${PROJECT_BINARY_DIR}/cpack-options.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack-options.cmake)
include(CPack)
