include(GoogleTest)

# Everything the ThreadSanitizer lane needs, so that lane builds only its own tests; the same for
# the macOS lane, whose tests carry the label "macos".
add_custom_target(brimvale_tsan_tests)
add_custom_target(brimvale_macos_tests)

if(CMAKE_CROSSCOMPILING)
  # Debian's prebuilt GoogleTest is for the host; the cross lanes build it from its sources.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# A test program exits with this status when it skipped tests and failed none (our main,
# tests/support/GTestMain.cpp), and CTest counts its case as skipped by that alone.
set(BRIMVALE_SKIP_EXIT_CODE 77)
add_library(brimvale_gtest_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/GTestMain.cpp)
target_compile_definitions(brimvale_gtest_main PRIVATE BRIMVALE_SKIP_EXIT_CODE=${BRIMVALE_SKIP_EXIT_CODE})
target_link_libraries(brimvale_gtest_main PUBLIC GTest::gtest PRIVATE brimvale_warnings)
# The cases are discovered without GoogleTest's skip pattern (see the file).
set(BRIMVALE_GTEST_ADD_TESTS ${_GOOGLETEST_DISCOVER_TESTS_SCRIPT})
configure_file(${CMAKE_CURRENT_LIST_DIR}/GoogleTestDiscovery.cmake.in ${CMAKE_BINARY_DIR}/GoogleTestDiscovery.cmake
               @ONLY)
set(_GOOGLETEST_DISCOVER_TESTS_SCRIPT ${CMAKE_BINARY_DIR}/GoogleTestDiscovery.cmake)

# brimvale_add_gtest(name SOURCES a.cpp ... LIBS lib ... [LABELS label ...] [FIXTURES fixture ...]
#                   [RESOURCE_LOCK lock])
# Under Wine the cases are listed when the tests run, so building needs neither Wine nor a display.
# The label "tsan" marks the concurrency tests that the ThreadSanitizer lane runs, "macos" those of
# the macOS lane. FIXTURES names the
# CTest fixtures (made by tests of their own) that every case needs first. RESOURCE_LOCK keeps the
# cases from running beside others that hold the same lock: the Windows editor's tests share one
# desktop, its focus, mouse capture and clipboard. Each case is skipped when its program exits with
# BRIMVALE_SKIP_EXIT_CODE, and failed on any other status but 0.
function(brimvale_add_gtest name)
  cmake_parse_arguments(T "" "RESOURCE_LOCK" "SOURCES;LIBS;LABELS;FIXTURES" ${ARGN})
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  # gtest_discover_tests flattens a list-valued property into further property names.
  list(LENGTH T_LABELS label_count)
  if(label_count GREATER 1)
    message(FATAL_ERROR "${name}: one label only (${T_LABELS})")
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} brimvale_warnings brimvale_gtest_main GTest::gmock)
  if("tsan" IN_LIST T_LABELS)
    add_dependencies(brimvale_tsan_tests ${name})
  endif()
  if("macos" IN_LIST T_LABELS)
    add_dependencies(brimvale_macos_tests ${name})
  endif()
  # An empty property value would take the next property's name as its value.
  set(props TIMEOUT 300 LABELS "${T_LABELS}" SKIP_RETURN_CODE ${BRIMVALE_SKIP_EXIT_CODE})
  if(T_FIXTURES)
    list(APPEND props FIXTURES_REQUIRED "${T_FIXTURES}")
  endif()
  if(T_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
  # Mesa's driver, loaded at run time, keeps dynamic thread-local data that LeakSanitizer's
  # interception of its lookups misreads here: depending only on memory layout, the leak check at
  # exit then faults while it scans. Leaks are still checked.
  if(BRIMVALE_SANITIZE MATCHES "address")
    list(APPEND props ENVIRONMENT "ASAN_OPTIONS=intercept_tls_get_addr=0")
  endif()
  if(CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES ${props})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
  endif()
endfunction()

# brimvale_add_fuzzer(name SOURCES a.cpp ... LIBS lib ... SEEDS dir [SECONDS n])
# A libFuzzer target (clang, the sanitize preset) and a CTest case that runs it for a bounded time
# over a fresh copy of its seed corpus, so a run never writes into the source tree.
function(brimvale_add_fuzzer name)
  if(NOT BRIMVALE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "SEEDS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 60)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS} brimvale_warnings)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      ${CMAKE_SOURCE_DIR}/scripts/run-fuzzer $<TARGET_FILE:${name}> ${F_SEEDS} ${corpus} ${F_SECONDS})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# brimvale_add_benchmark(name SOURCES a.cpp ... LIBS lib ... [FLOORS "Bench/arg:counter>=min" ...]):
# Google Benchmark, Release lane only. A CTest case labelled "bench" runs it once, briefly, and
# prints its figures; it fails when a benchmark reports an error or a counter passes its bound: a
# floor ("counter>=min") or, for a counter that must stay low, a ceiling ("counter<=max").
function(brimvale_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS;FLOORS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} brimvale_warnings benchmark::benchmark_main)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/bench-floor $<TARGET_FILE:${name}> ${B_FLOORS})
  # Alone on the machine, so that other tests do not take its time.
  set_tests_properties(${name} PROPERTIES LABELS bench RUN_SERIAL TRUE TIMEOUT 300)
endfunction()
