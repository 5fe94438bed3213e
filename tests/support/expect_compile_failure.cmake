# Compiles SOURCE with the include directories INCLUDES and succeeds only when
# the compiler refuses it for the missing header EXPECT.
set(_flags)
foreach(_dir IN LISTS INCLUDES)
  list(APPEND _flags "-I${_dir}")
endforeach()
execute_process(
  COMMAND ${CXX} -std=c++20 -fsyntax-only ${_flags} ${SOURCE}
  RESULT_VARIABLE _rc ERROR_VARIABLE _err OUTPUT_QUIET)
if(_rc EQUAL 0)
  message(FATAL_ERROR "${SOURCE} compiled, but it must not reach ${EXPECT}")
endif()
string(FIND "${_err}" "${EXPECT}" _at)
if(_at EQUAL -1)
  message(FATAL_ERROR "compile failed for another reason:\n${_err}")
endif()
message(STATUS "${EXPECT} is out of reach, as it must be")
