# Helpers shared by every area's CMakeLists.txt.

set(QUORLA_TEST_DIR ${CMAKE_BINARY_DIR}/tests)

# quorla_module(<Name> <core-target>)
# A component library `<Name>.dll` in the output directory: an ELF shared
# object that keeps the platform's file name and exports only
# GetModuleInstance. <core-target> is the static library with the module's
# classes and its class table; tests link that core directly.
function(quorla_module name core)
  add_library(${name} MODULE ${CMAKE_SOURCE_DIR}/framework/src/module_export.cpp)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll")
  target_link_libraries(${name} PRIVATE ${core} framework platform)
  target_link_options(${name} PRIVATE ${QUORLA_NO_UNDEFINED}
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/module-exports.map)
  set_target_properties(${name} PROPERTIES LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/module-exports.map)
endfunction()

# quorla_test(<name> SOURCES <files...> [LIBS <targets...>] [LABEL <label>]
#             [TIMEOUT <seconds>])
# A GoogleTest executable in build/tests, each test case its own CTest test.
# LABEL is one of: unit (the default), threaded (unit tests that run threads;
# the ThreadSanitizer run picks them), e2e (whole programs under Xvfb; not run
# under the sanitizers).
function(quorla_test name)
  if(NOT QUORLA_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "TIMEOUT;LABEL" "SOURCES;LIBS" ${ARGN})
  # Each test process has a runtime folder of its own: windows and named
  # mutexes of tests that run side by side never meet.
  add_executable(${name} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/platform/tests/support/private_runtime_folder.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Where the tests find the deliverables, their own helper files and the sources.
  target_compile_definitions(${name} PRIVATE
    QUORLA_BIN_DIR="${QUORLA_BIN_DIR}"
    QUORLA_TEST_DIR="${QUORLA_TEST_DIR}"
    QUORLA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${QUORLA_TEST_DIR}
    BUILD_RPATH "${QUORLA_BIN_DIR};${QUORLA_TEST_DIR}")
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# quorla_fuzzer(<name> SOURCES <files...> LIBS <targets...>)
# A libFuzzer target fuzz/fuzz_<name>; its seed corpus is fuzz/corpus/<name>/.
function(quorla_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(fuzz_${name} ${F_SOURCES})
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS})
  set_target_properties(fuzz_${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz
    BUILD_RPATH "${QUORLA_BIN_DIR}")
endfunction()
