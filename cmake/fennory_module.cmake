# One library per layer of a subsystem. A module's users see only the headers of
# the modules it names in USES: each module publishes its headers through an
# include root of its own, so an include of an undeclared module (or one that
# runs back up a layer) fails to compile.
#
#   fennory_module(NAME DIR SOURCES ... [USES modules...] [LIBS libraries...] [LOGIC])
#
# A LOGIC module may not link Qt.
function(fennory_module name)
  cmake_parse_arguments(M "LOGIC" "DIR" "SOURCES;USES;LIBS" ${ARGN})
  add_library(${name} STATIC ${M_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(GLOB headers CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/src/${M_DIR}/*.h ${PROJECT_SOURCE_DIR}/src/${M_DIR}/*.inc)
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${M_DIR})
  foreach(h IN LISTS headers)
    get_filename_component(leaf ${h} NAME)
    file(CREATE_LINK ${h} ${root}/${M_DIR}/${leaf} SYMBOLIC)
  endforeach()
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${M_USES} ${M_LIBS})
  if(M_LOGIC)
    foreach(lib IN LISTS M_USES M_LIBS)
      if(lib MATCHES "Qt")
        message(FATAL_ERROR "${name} is logic and must not link Qt (found ${lib})")
      endif()
    endforeach()
  endif()
endfunction()
