# Registers a Win32 test program with CTest, run under Wine. Only the x86_64
# build runs here (this kernel cannot execute 32-bit programs); the i686 build
# compiles and links the same programs.
function(brumelis_add_wine_test name target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_test(NAME ${name}
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-test.sh $<TARGET_FILE:${target}> ${ARGN})
    set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT 600)
  endif()
endfunction()
