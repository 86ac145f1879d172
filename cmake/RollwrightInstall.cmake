# What `cmake --install` puts in place, the CMake package that lets another
# project find_package(rollwright) and link rollwright::rollwright, and the
# release archives CPack makes of all of it (the module, the header and the
# README among it).
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

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  math(EXPR ROLLWRIGHT_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  set(CPACK_SYSTEM_NAME windows-${ROLLWRIGHT_BITS})
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
endif()
set(CPACK_PACKAGE_VENDOR "rollwright")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A dice-rolling module for host applications")
include(CPack)
