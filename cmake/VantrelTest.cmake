# vantrel_add_test(NAME [QT] SOURCES files-or-globs... LIBRARIES targets...)
#
# A GoogleTest binary of the sources (globs relative to the calling folder)
# linked with LIBRARIES, its tests registered with CTest. QT gives it the
# shared main() with an offscreen application and QtTest; otherwise it
# gets GoogleTest's own main(). The test data, fuzz corpus and resource
# folders are known to the sources as VANTREL_TEST_DATA_DIR,
# VANTREL_FUZZ_CORPUS_DIR and VANTREL_RESOURCE_DIR.
function(vantrel_add_test NAME)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "QT" "" "SOURCES;LIBRARIES")
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  file(GLOB SOURCES CONFIGURE_DEPENDS ${ARG_SOURCES})
  add_executable(${NAME} ${SOURCES})
  if(ARG_QT)
    target_link_libraries(${NAME} PRIVATE qt_test_main Qt6::Test)
  else()
    target_link_libraries(${NAME} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${NAME} PRIVATE ${ARG_LIBRARIES} dev_headers GTest::gtest)
  target_compile_definitions(${NAME} PRIVATE
    VANTREL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    VANTREL_FUZZ_CORPUS_DIR="${PROJECT_SOURCE_DIR}/fuzz/corpus"
    VANTREL_RESOURCE_DIR="${PROJECT_SOURCE_DIR}/resources")
  gtest_discover_tests(${NAME} DISCOVERY_TIMEOUT 60)
endfunction()
