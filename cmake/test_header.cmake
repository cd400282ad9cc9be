# GoogleTest's header, precompiled once per build and reused by every
# program and object library that compiles against GoogleTest: its parsing
# took more than a second of each test file's compile. GCC uses a
# precompiled header only where the macros it saw are defined alike; natively
# -pthread (defined by GLib's flags on some test programs, not on others) is
# therefore given to all of them, and -Werror=invalid-pch turns a refused
# header into a build failure rather than a silent full parse. Call once
# every target exists.

# Every target at or below a directory.
function(brumelis_targets_below directory out)
  get_property(found DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    brumelis_targets_below(${subdirectory} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(brumelis_share_test_header)
  set(source ${CMAKE_BINARY_DIR}/test_header/test_header.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Owns the precompiled GoogleTest header.\n")
  add_library(brumelis_test_header OBJECT ${source})
  # Debian's GoogleTest natively, the one built from its sources with MinGW.
  if(WIN32)
    set(gtest gtest)
    set(same_macros "")
  else()
    set(gtest GTest::gtest)
    set(same_macros -pthread)
  endif()
  # The project's warnings too: -Wpedantic changes what GCC predefines.
  brumelis_target_defaults(brumelis_test_header)
  target_link_libraries(brumelis_test_header PRIVATE ${gtest})
  target_compile_options(brumelis_test_header PRIVATE ${same_macros})
  target_precompile_headers(brumelis_test_header PRIVATE <gtest/gtest.h>)

  brumelis_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if(target STREQUAL "brumelis_test_header" OR NOT type MATCHES "^(EXECUTABLE|OBJECT_LIBRARY)$"
       OR NOT libraries MATCHES "(^|;)(GTest::)?gtest(_main)?(;|$)")
      continue()
    endif()
    set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM brumelis_test_header)
    target_compile_options(${target} PRIVATE ${same_macros} -Werror=invalid-pch)
  endforeach()
endfunction()
