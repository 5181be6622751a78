# Helpers shared by every folder: our own code builds with warnings as errors,
# third-party headers stay out of the warning set.

set(KELVO_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wconversion
    -Wsign-conversion -Wnull-dereference -Wimplicit-fallthrough -Werror)

function(kelvo_set_warnings target)
  target_compile_options(${target} PRIVATE ${KELVO_WARNINGS})
endfunction()

# kelvo_add_library(name [STATIC|SHARED|MODULE] SOURCES ... [DEPS ...])
function(kelvo_add_library name)
  cmake_parse_arguments(ARG "STATIC;SHARED;MODULE" "" "SOURCES;DEPS" ${ARGN})
  set(kind STATIC)
  if(ARG_SHARED)
    set(kind SHARED)
  elseif(ARG_MODULE)
    set(kind MODULE)
  endif()
  add_library(${name} ${kind} ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  kelvo_set_warnings(${name})
endfunction()

# kelvo_add_test(name SOURCES ... DEPS ...): one GoogleTest binary, its tests
# registered with CTest one by one.
function(kelvo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  kelvo_set_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "KELVO_BUILD_BIN=${CMAKE_BINARY_DIR}/bin")
endfunction()

# kelvo_add_fuzzer(name SOURCES ... DEPS ...): a libFuzzer binary (fuzz preset).
function(kelvo_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  kelvo_set_warnings(${name})
  if(TARGET kelvo_fuzzers)
    add_dependencies(kelvo_fuzzers ${name})
  endif()
endfunction()
