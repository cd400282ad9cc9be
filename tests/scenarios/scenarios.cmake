# The end-to-end scenarios, written once and compiled into every end-to-end
# program (Win32 under Wine, X11, the Wayland desktops), each linking a driver.
file(GLOB brumelis_scenario_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)

# Compiled once per build, linked by every driver of the build (the native
# build has four): the scenarios use GoogleTest and the drag probe only.
if(NOT TARGET brumelis_scenarios)
  add_library(brumelis_scenarios OBJECT ${brumelis_scenario_sources})
  brumelis_target_defaults(brumelis_scenarios)
  brumelis_private_tree(brumelis_scenarios tests)
  brumelis_private_tree(brumelis_scenarios bench)
  if(TARGET GTest::gtest)
    target_link_libraries(brumelis_scenarios PRIVATE GTest::gtest)
  else()
    target_link_libraries(brumelis_scenarios PRIVATE gtest)
  endif()
endif()

# Sets `out` to one "name|filter" entry per fixture of the TEST, TEST_F and
# TEST_P lines of the sources, named `prefix` and the fixture, so that a
# summary says which part failed and a new fixture cannot be built and left
# unrun; instantiated fixtures run under any prefix. A last entry,
# `prefix`Remaining, runs whatever no fixture entry took: normally nothing.
function(brumelis_fixture_entries out prefix)
  set(fixtures)
  foreach(source IN LISTS ARGN)
    file(STRINGS ${source} lines REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+,")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" fixture "${line}")
      list(APPEND fixtures ${fixture})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES fixtures)
  set(taken)
  set(entries)
  foreach(fixture IN LISTS fixtures)
    set(filter "${fixture}.*:*/${fixture}.*")
    list(APPEND taken ${filter})
    list(APPEND entries "${prefix}${fixture}|${filter}")
  endforeach()
  list(JOIN taken ":" taken)
  list(APPEND entries "${prefix}Remaining|-${taken}")
  set(${out} ${entries} PARENT_SCOPE)
endfunction()

# One CTest entry per fixture of the sources (brumelis_fixture_entries), each
# running the program in the session of the desktop the label names
# (scripts/session-test.sh), one at a time.
function(brumelis_session_scenario_tests prefix label program)
  brumelis_fixture_entries(entries ${prefix} ${ARGN})
  foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 name)
    list(GET entry 1 filter)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/session-test.sh ${label}
                                   $<TARGET_FILE:${program}> --gtest_filter=${filter})
    set_tests_properties(${name} PROPERTIES LABELS ${label} RUN_SERIAL TRUE TIMEOUT 180)
  endforeach()
endfunction()

# Scenarios (`filter`) in a session of their own, never in the row's shared
# one, with the session's variables given after `filter`: NAME.
function(brumelis_own_session_scenario_test name label program filter)
  string(TOUPPER "${label}" desktop)
  add_test(NAME ${name}
           COMMAND env -u BRUMELIS_${desktop}_ENV ${ARGN}
                   ${PROJECT_SOURCE_DIR}/scripts/session-test.sh ${label} $<TARGET_FILE:${program}>
                   --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES LABELS ${label} RUN_SERIAL TRUE TIMEOUT 300)
endfunction()

# The scenarios that place, click and drag, once more with the output scaled
# by `scale` (BRUMELIS_WAYLAND_SCALE; the desktop stays 1280x800 logical
# pixels, where the tile must be 10x10): NAME_scaled_SCALE.
function(brumelis_scaled_scenario_test prefix label program scale)
  string(REPLACE "." "_" suffix "${scale}")
  brumelis_own_session_scenario_test(${prefix}scaled_${suffix} ${label} ${program}
    Follower.*:FoldToggle.*:Pin.*:*/SliderDragTest.*:Transparency.* BRUMELIS_WAYLAND_SCALE=${scale}
    ${ARGN})
endfunction()

# The scenario of a target moved between two monitors, a second monitor at
# 100 % right of the first at 200 % (BRUMELIS_WAYLAND_MONITORS):
# NAME_two_monitors.
function(brumelis_two_monitor_scenario_test prefix label program)
  brumelis_own_session_scenario_test(${prefix}two_monitors ${label} ${program} TwoMonitors.*
    BRUMELIS_WAYLAND_SCALE=2 BRUMELIS_WAYLAND_MONITORS=2 ${ARGN})
endfunction()
