# The i686 build ships its program; its test and measuring programs never run
# here (only 64-bit Wine) and nothing packages them, so the default build
# leaves them out and `brumelis_test_programs` builds them on request
# (docs/design.md, "What each build builds"). Call once every target exists.
function(brumelis_build_product_only)
  brumelis_targets_below(${PROJECT_SOURCE_DIR} targets)
  set(programs "")
  foreach(target IN LISTS targets)
    get_target_property(folder ${target} SOURCE_DIR)
    if(target STREQUAL "brumelis_test_header" OR folder MATCHES "^${PROJECT_SOURCE_DIR}/(tests|bench)(/|$)")
      set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL TRUE)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        list(APPEND programs ${target})
      endif()
    endif()
  endforeach()
  add_custom_target(brumelis_test_programs DEPENDS ${programs})
endfunction()
