# SPDX-License-Identifier: MIT
# What `cmake --install` puts in place, the CMake package that lets another
# project find_package(rollwright) and link rollwright::rollwright, the
# pkg-config file, and the release packages CPack makes of all of it: an
# archive (.tar.gz or .zip) with stripped binaries, their separate debug
# files beside them and a note for host authors at the top, and on Linux
# Debian's three packages, librollwright0, librollwright-dev and rollwright.
include(CMakePackageConfigHelpers)

# Every install strips the binaries it puts in place, as the packages do.
install(CODE "set(CMAKE_INSTALL_DO_STRIP TRUE)" ALL_COMPONENTS)

# Components: "module" the shared library alone, "development" what builds
# against it, "tools" the tool and its manual page; "debug" (the debug files)
# and "archive" (the archive's top-level texts) go only into the archives.
install(TARGETS rollwright EXPORT rollwrightTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT module
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT module
          NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES include/rollwright.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
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

# The archives' top level: README.txt (the note on the folder's contents,
# then the README, whose section for hosts the note points to), LICENSE.txt
# and the export list, beside the DLL on Windows. There they are part of any
# install; elsewhere only of the archive, not of a prefix such as /usr/local.
set(ROLLWRIGHT_README_TXT ${PROJECT_BINARY_DIR}/README.txt)
add_custom_command(OUTPUT ${ROLLWRIGHT_README_TXT}
  COMMAND ${CMAKE_COMMAND} -E cat
          ${PROJECT_SOURCE_DIR}/packaging/loading-the-module.txt
          ${PROJECT_SOURCE_DIR}/README.md > ${ROLLWRIGHT_README_TXT}
  DEPENDS packaging/loading-the-module.txt README.md)
add_custom_target(rollwright_readme_txt ALL DEPENDS ${ROLLWRIGHT_README_TXT})
if(WIN32)
  set(ROLLWRIGHT_TOP_LEVEL_COMPONENT COMPONENT module)
else()
  set(ROLLWRIGHT_TOP_LEVEL_COMPONENT COMPONENT archive EXCLUDE_FROM_ALL)
endif()
install(FILES ${ROLLWRIGHT_README_TXT}
  DESTINATION . ${ROLLWRIGHT_TOP_LEVEL_COMPONENT})
if(WIN32)
  # The export list as callers of this word size name the procedures, and
  # the import library for Microsoft's linker beside MinGW's.
  install(FILES $<TARGET_PROPERTY:rollwright,ROLLWRIGHT_CALLER_DEF>
    RENAME rollwright.def DESTINATION . ${ROLLWRIGHT_TOP_LEVEL_COMPONENT})
  get_target_property(ROLLWRIGHT_MSVC_IMPORT_LIBRARY rollwright
                      ROLLWRIGHT_MSVC_IMPORT_LIBRARY)
  if(ROLLWRIGHT_MSVC_IMPORT_LIBRARY)
    install(FILES ${ROLLWRIGHT_MSVC_IMPORT_LIBRARY}
      DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
  endif()
else()
  install(FILES host/rollwright.def
    DESTINATION . ${ROLLWRIGHT_TOP_LEVEL_COMPONENT})
endif()
install(FILES LICENSE RENAME LICENSE.txt
  DESTINATION . ${ROLLWRIGHT_TOP_LEVEL_COMPONENT})

# Compresses SOURCE (relative to the source folder) into NAME.gz in the build
# folder, without a timestamp, so that the same source gives the same bytes.
function(rollwright_gzip source name)
  set(output ${PROJECT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -n -9 -c ${PROJECT_SOURCE_DIR}/${source} > ${output}
    DEPENDS ${source})
  add_custom_target(rollwright_${name}_gz ALL DEPENDS ${output})
endfunction()

# The development package's README, for the package's users: what the
# package holds (packaging/development-readme.md), then the README's section
# for hosts, taken from the README when building.
function(rollwright_development_readme)
  set(head ${PROJECT_BINARY_DIR}/development-readme-head.md)
  configure_file(packaging/development-readme.md ${head} @ONLY)
  set(output ${PROJECT_BINARY_DIR}/development-readme.md)
  set(script ${PROJECT_SOURCE_DIR}/cmake/RollwrightReadmeSection.cmake)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DHEAD=${head}
            -DREADME=${PROJECT_SOURCE_DIR}/README.md "-DSECTION=## For hosts"
            -DOUTPUT=${output} -P ${script}
    DEPENDS ${head} README.md ${script})
  add_custom_target(rollwright_development_readme ALL DEPENDS ${output})
  install(FILES ${output} RENAME README.md
    DESTINATION
      ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME}
    COMPONENT development)
endfunction()

# Debian's package of each component.
set(CPACK_DEBIAN_MODULE_PACKAGE_NAME librollwright0)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME librollwright-dev)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME rollwright)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  math(EXPR ROLLWRIGHT_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  set(CPACK_SYSTEM_NAME windows-${ROLLWRIGHT_BITS})
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
  # The manual pages, written as such: the tool's (packaging/rollwright.1)
  # and the module's interface (packaging/rollwright.3).
  rollwright_gzip(packaging/rollwright.1 rollwright.1)
  install(FILES ${PROJECT_BINARY_DIR}/rollwright.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)
  rollwright_gzip(packaging/rollwright.3 rollwright.3)
  install(FILES ${PROJECT_BINARY_DIR}/rollwright.3.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT development)
  # Each Debian package's own documentation folder: the copyright file and
  # the changelog; the development package has a README of its own too.
  rollwright_gzip(packaging/changelog changelog)
  foreach(component IN ITEMS module development tools)
    string(TOUPPER ${component} component_variable)
    install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
      DESTINATION
        ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${component_variable}_PACKAGE_NAME}
      COMPONENT ${component})
  endforeach()
  rollwright_development_readme()
endif()
set(CPACK_PACKAGE_VENDOR "rollwright")
set(CPACK_PACKAGE_CONTACT "rollwright developers <rollwright@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dice-rolling module for host applications, and its tool")
set(CPACK_STRIP_FILES ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE rollwright)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# librollwright0: the shared library, its shlibs and symbols files, and a
# trigger through which the system's linker cache learns of it. Its Depends
# come from dpkg-shlibdeps in cpack-options.cmake.
set(CPACK_DEBIAN_MODULE_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_MODULE_PACKAGE_CONTROL_EXTRA
  ${PROJECT_SOURCE_DIR}/packaging/shlibs
  ${PROJECT_SOURCE_DIR}/packaging/symbols
  ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_MODULE_DESCRIPTION "dice-rolling module for host applications
A host loads the module and hands it one line of text, a dice request such
as 3#2d6+1 fire or 3d6 skill 12 sword; the module rolls and writes one
English sentence back.
.
This package holds the shared library, librollwright.so.0.")

# librollwright-dev: the header, the .so link, the CMake and pkg-config files.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "${CPACK_DEBIAN_MODULE_PACKAGE_NAME} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "dice-rolling module for host applications (development files)
A host loads the module and hands it one line of text, a dice request such
as 3#2d6+1 fire or 3d6 skill 12 sword; the module rolls and writes one
English sentence back.
.
This package holds the C header rollwright.h, the librollwright.so link,
the CMake package (find_package(rollwright), rollwright::rollwright), the
pkg-config file, the manual page rollwright(3) and a README with the whole
recipe for loading the module.")

# rollwright: the tool links the engine itself, not the shared library (it
# reaches the generator's seed and the odds, which the module does not
# export), so its Depends, from dpkg-shlibdeps, name nothing of ours.
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SHLIBDEPS ON)
# Its manual page points to rollwright(3), the module's interface.
set(CPACK_DEBIAN_TOOLS_PACKAGE_SUGGESTS ${CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME})
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "roll dice requests from the command line
rollwright rolls dice requests such as 3#2d6+1 fire or 3d6 skill 12 sword
and prints the reply the rollwright module would give a host. At a terminal
it asks for requests at a prompt with history and colours the grades;
--odds prints the exact chance of every outcome instead of rolling.")

configure_file(packaging/cpack-options.cmake.in
  ${PROJECT_BINARY_DIR}/cpack-options.cmake.in @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/cpack-options.cmake
  INPUT ${PROJECT_BINARY_DIR}/cpack-options.cmake.in)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack-options.cmake)
include(CPack)
