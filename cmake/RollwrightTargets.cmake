# SPDX-License-Identifier: MIT
# Settings every target of the project shares, applied per target.

# Compiler and linker options of the chosen sanitizer set.
set(ROLLWRIGHT_SANITIZER_FLAGS "")
if(ROLLWRIGHT_SANITIZE STREQUAL "address")
  set(ROLLWRIGHT_SANITIZER_FLAGS -fsanitize=address,undefined
                                 -fno-sanitize-recover=all
                                 -fno-omit-frame-pointer)
elseif(ROLLWRIGHT_SANITIZE STREQUAL "thread")
  set(ROLLWRIGHT_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT ROLLWRIGHT_SANITIZE STREQUAL "none")
  message(FATAL_ERROR "ROLLWRIGHT_SANITIZE: unknown value ${ROLLWRIGHT_SANITIZE}")
endif()

# An instrumented build (sanitizers, fuzzing or coverage counters) builds
# nothing to ship; a plain native one also runs the benchmark, valgrind and the
# checks of the installed tree and the tool.
if(ROLLWRIGHT_SANITIZE STREQUAL "none" AND NOT ROLLWRIGHT_FUZZ AND
   NOT ROLLWRIGHT_COVERAGE)
  set(ROLLWRIGHT_INSTRUMENTED OFF)
else()
  set(ROLLWRIGHT_INSTRUMENTED ON)
endif()
if(NOT CMAKE_CROSSCOMPILING AND NOT ROLLWRIGHT_INSTRUMENTED)
  set(ROLLWRIGHT_PLAIN_NATIVE ON)
else()
  set(ROLLWRIGHT_PLAIN_NATIVE OFF)
endif()

# C++20, strict warnings, sanitizers, and on Windows a static run-time so that
# a module or program needs nothing beside it.
function(rollwright_target_defaults target)
  target_compile_features(${target} PRIVATE cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF
                                             CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
    $<$<BOOL:${ROLLWRIGHT_WARNINGS_AS_ERRORS}>:-Werror>
    ${ROLLWRIGHT_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${ROLLWRIGHT_SANITIZER_FLAGS})
  if(ROLLWRIGHT_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(ROLLWRIGHT_COVERAGE)
    target_compile_options(${target} PRIVATE --coverage -O0
                                             -fprofile-update=atomic)
    target_link_options(${target} PRIVATE --coverage)
  endif()
  if(MINGW)
    target_link_options(${target} PRIVATE -static)
  endif()
  if(EMSCRIPTEN)
    target_compile_options(${target} PRIVATE -fwasm-exceptions)
    target_link_options(${target} PRIVATE -fwasm-exceptions)
  endif()
  if(NOT ROLLWRIGHT_INSTRUMENTED)
    rollwright_release_options(${target})
  endif()
endfunction()

# What a release binary is built with: no code or data that nothing calls
# (every function and datum in a section of its own, unused sections
# dropped), and the same bytes from the same commit in any folder at any
# time (source and build folders mapped to fixed names, no link timestamp).
function(rollwright_release_options target)
  target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=rollwright
    -ffile-prefix-map=${PROJECT_BINARY_DIR}=rollwright-build)
  target_link_options(${target} PRIVATE -Wl,--gc-sections)
  if(MINGW)
    target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
  endif()
endfunction()

# The date a release's files carry where a tool writes one (objcopy and strip
# rewrite a Windows binary's header with it; CPack dates the archives'
# entries with it): SOURCE_DATE_EPOCH when it is set, else the date of the
# commit the sources are at, else 0, so that a build of one commit gives the
# same bytes at any time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ROLLWRIGHT_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  find_package(Git QUIET)
  set(ROLLWRIGHT_SOURCE_DATE_EPOCH 0)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE commit_date OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE git_status ERROR_QUIET)
    if(git_status EQUAL 0 AND commit_date MATCHES "^[0-9]+$")
      set(ROLLWRIGHT_SOURCE_DATE_EPOCH ${commit_date})
    endif()
  endif()
endif()

# A shipped binary's debug information goes into a file of its own beside it
# (NAME.debug), which the binary names in its .gnu_debuglink section; the
# packages hold the binary stripped. The debug files go only into the
# release archives, beside their binaries: `cmake --install` leaves them out
# unless asked for the component (`--component debug`).
function(rollwright_split_debug target)
  if(ROLLWRIGHT_INSTRUMENTED)
    return()
  endif()
  set(objcopy ${CMAKE_COMMAND} -E env
      SOURCE_DATE_EPOCH=${ROLLWRIGHT_SOURCE_DATE_EPOCH} ${CMAKE_OBJCOPY})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:${target}>
            $<TARGET_FILE:${target}>.debug
    COMMAND ${objcopy} --remove-section=.gnu_debuglink
            --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
  install(FILES $<TARGET_FILE:${target}>.debug
    DESTINATION ${ARGV1} COMPONENT debug EXCLUDE_FROM_ALL)
endfunction()

# A program that loads the built module by file name, as a host does
# (tests/loaded_module.h): ROLLWRIGHT_MODULE names it, by file name on Windows
# (found beside the program), by full path elsewhere.
function(rollwright_loads_module target)
  target_include_directories(${target} PRIVATE
    ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
  target_compile_definitions(${target} PRIVATE
    ROLLWRIGHT_MODULE="$<IF:$<BOOL:${WIN32}>,$<TARGET_FILE_NAME:rollwright>,$<TARGET_FILE:rollwright>>")
  target_link_libraries(${target} PRIVATE ${CMAKE_DL_LIBS})
  add_dependencies(${target} rollwright)
endfunction()
