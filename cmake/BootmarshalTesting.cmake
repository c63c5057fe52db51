# Test helpers shared by every module's tests.
#
#   bm_add_test(<name> SOURCES <files...> [LIBS <libs...>] [WINDOWS_ONLY])
#
# Builds a GoogleTest program and registers each of its cases with CTest. In the
# Windows tree every case runs under Wine through the emulator, in a prefix that
# belongs to this test program alone; the cases of one program share that prefix
# and so never run at the same time.
enable_testing()
include(GoogleTest)

# GoogleTest is built from source for each tree (Debian ships it in
# /usr/src/googletest; elsewhere point BM_GOOGLETEST_DIR at a checkout).
set(BM_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest source folder")
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${BM_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

set(BM_TEST_BIN_DIR ${CMAKE_BINARY_DIR}/tests-bin)

function(bm_add_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY" "" "SOURCES;LIBS" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT BM_WINDOWS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BM_TEST_BIN_DIR})
  target_compile_definitions(${name} PRIVATE BM_SOURCE_DIR="${PROJECT_SOURCE_DIR}" BM_BIN_DIR="${BM_BIN_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 120
    PROPERTIES RESOURCE_LOCK ${name} TIMEOUT 300)
endfunction()
