# Compiles SOURCE with the include directories INCLUDES and succeeds only when
# the compiler refuses it for a missing Qt header.
set(_flags)
foreach(_dir IN LISTS INCLUDES)
  list(APPEND _flags "-I${_dir}")
endforeach()
execute_process(
  COMMAND ${CXX} -std=c++20 -fsyntax-only ${_flags} ${SOURCE}
  RESULT_VARIABLE _rc ERROR_VARIABLE _err OUTPUT_QUIET)
if(_rc EQUAL 0)
  message(FATAL_ERROR "a logic file could include a Qt header")
endif()
if(NOT _err MATCHES "QString")
  message(FATAL_ERROR "compile failed for another reason:\n${_err}")
endif()
message(STATUS "logic flags refuse Qt headers, as they must")
