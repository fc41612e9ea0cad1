# Shared build helpers: warning flags and test registration.

function(sarvo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion
                                           -Wno-missing-field-initializers)
  # GCC 12 reports false overlaps when short u16strings are assigned (GCC bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# sarvo_add_library(name SOURCES ... LIBS ...): one static library per subsystem folder.
function(sarvo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  sarvo_warnings(${name})
endfunction()

# sarvo_add_test(name SOURCES ... LIBS ... [GUI]): a GoogleTest executable whose cases ctest lists one by one.
function(sarvo_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE SARVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             SARVO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  sarvo_warnings(${name})
  set(env "")
  if(ARG_GUI)
    set(env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${env}")
endfunction()
