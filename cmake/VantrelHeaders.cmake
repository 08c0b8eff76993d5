# Include directories per library. Sources include headers by their path
# from the source root ("analysis/BeamData.h"), but the root itself is no
# include directory: each library gets a folder of its own in the build
# tree holding links to its headers alone, under the same names, and that
# folder is its public include directory. A target therefore finds the
# headers of the libraries it links and no others, and a header of a
# library it may not use fails to compile.

# vantrel_headers(TARGET PATTERN... [EXCEPT HEADER...]): TARGET offers the
# headers the globs (relative to the source root) match, but the ones
# after EXCEPT.
function(vantrel_headers TARGET)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "EXCEPT")
  list(TRANSFORM ARG_UNPARSED_ARGUMENTS PREPEND ${PROJECT_SOURCE_DIR}/)
  file(GLOB Headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${ARG_UNPARSED_ARGUMENTS})
  if(ARG_EXCEPT)
    list(REMOVE_ITEM Headers ${ARG_EXCEPT})
  endif()
  set(Dir ${PROJECT_BINARY_DIR}/include/${TARGET})
  file(REMOVE_RECURSE ${Dir})
  foreach(Header ${Headers})
    get_filename_component(Folder ${Dir}/${Header} DIRECTORY)
    file(MAKE_DIRECTORY ${Folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${Header} ${Dir}/${Header} SYMBOLIC)
  endforeach()
  get_target_property(Type ${TARGET} TYPE)
  if(Type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${TARGET} INTERFACE ${Dir})
  else()
    target_include_directories(${TARGET} PUBLIC ${Dir})
  endif()
endfunction()
