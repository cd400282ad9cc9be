# Layers that the build enforces. Sources include the project's headers by
# their path from the repository's root ("base/failure.h"), yet no target gets
# the root as an include directory: each folder's headers are published in an
# include root of their own under the build tree (links to the sources), which
# the libraries built from that folder carry as a PUBLIC include directory.
# A header is therefore found only from a target that links, directly or
# through its dependencies, a library of the header's folder: an include that
# points the wrong way fails to compile. scripts/check-layers.py names it.

# Publishes the headers directly in `folder` (not its subfolders, which are
# layers of their own) as the include root of `target`.
function(brumelis_publish_headers target folder)
  string(REPLACE "/" "_" name "${folder}")
  set(root "${CMAKE_BINARY_DIR}/include/${name}")
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE "${PROJECT_SOURCE_DIR}/${folder}"
       "${PROJECT_SOURCE_DIR}/${folder}/*.h")
  file(REMOVE_RECURSE "${root}")
  file(MAKE_DIRECTORY "${root}/${folder}")
  foreach(header IN LISTS headers)
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}/${header}" "${root}/${folder}/${header}"
         SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
endfunction()

# Test and benchmark programs sit above every layer: they reach their own tree
# (`folder` and all below it, e.g. "tests") privately, and the product's
# headers through the libraries they link.
function(brumelis_private_tree target folder)
  string(REPLACE "/" "_" name "${folder}")
  set(root "${CMAKE_BINARY_DIR}/include/tree_${name}")
  get_filename_component(parent "${root}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  if(NOT EXISTS "${root}/${folder}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
  endif()
  target_include_directories(${target} PRIVATE "${root}")
endfunction()
