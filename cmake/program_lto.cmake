# Link-time optimisation for the program only: 8 % off the exe. Its code is
# compiled to fat objects (intermediate code and machine code); the program's
# link optimises across them, every other link (the test programs) says
# -fno-lto and takes the machine code. GCC 12's link-time optimisation of some
# GoogleTest programs stops with an internal compiler error, hence not
# everywhere. Call once every target exists.

# Every executable target at or below a directory.
function(brumelis_executables_below directory out)
  set(found "")
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    brumelis_executables_below(${subdirectory} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(brumelis_optimise_at_link_time program)
  # The project's static libraries the program links, directly or not.
  set(queue ${program})
  set(code ${program})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(libraries ${current} LINK_LIBRARIES)
    foreach(library IN LISTS libraries)
      if(TARGET ${library} AND NOT library IN_LIST code)
        get_target_property(type ${library} TYPE)
        if(type STREQUAL "STATIC_LIBRARY")
          list(APPEND code ${library})
          list(APPEND queue ${library})
        endif()
      endif()
    endforeach()
  endwhile()
  foreach(target IN LISTS code)
    target_compile_options(${target} PRIVATE -flto=auto -ffat-lto-objects)
  endforeach()
  # One partition: GCC 12's optimiser otherwise stopped with an internal
  # error (binds_to_current_def_p) on the layout's initialiser, depending on
  # how the program's code fell into partitions.
  target_link_options(${program} PRIVATE -flto=auto -flto-partition=one)

  brumelis_executables_below(${PROJECT_SOURCE_DIR} executables)
  list(REMOVE_ITEM executables ${program})
  foreach(target IN LISTS executables)
    target_link_options(${target} PRIVATE -fno-lto)
  endforeach()
endfunction()
