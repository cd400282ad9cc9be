# Fails when a program, stripped, is larger than a limit; prints its size
# either way. Strips a copy, so it measures the same whatever the build type.
#   cmake -DPROGRAM=x.exe -DSTRIP=strip -DCOPY=x.stripped.exe -DLIMIT=bytes -P check_exe_size.cmake
foreach(variable PROGRAM STRIP COPY LIMIT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_exe_size: ${variable} is not set")
  endif()
endforeach()

execute_process(COMMAND "${STRIP}" -o "${COPY}" "${PROGRAM}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "check_exe_size: ${STRIP} failed on ${PROGRAM} (${status})")
endif()
file(SIZE "${COPY}" size)
file(REMOVE "${COPY}")
get_filename_component(name "${PROGRAM}" NAME)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${name}: ${size} bytes stripped, over the limit of ${LIMIT}")
endif()
message(STATUS "${name}: ${size} bytes stripped (limit ${LIMIT})")
