# Shared compile settings and small helpers that every subsystem uses to declare its targets.

add_library(ondrix_options INTERFACE)
target_compile_options(ondrix_options INTERFACE -Wall -Wextra -Wpedantic)
target_include_directories(ondrix_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(ONDRIX_ENGINE_CHECKS)
  target_compile_definitions(ondrix_options INTERFACE ONDRIX_ENGINE_CHECKS=1)
endif()
if(ONDRIX_SANITIZE)
  target_compile_options(ondrix_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(ondrix_options INTERFACE -fsanitize=address,undefined)
endif()
if(ONDRIX_FUZZ)
  target_compile_options(ondrix_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                         -fno-omit-frame-pointer)
  target_compile_definitions(ondrix_options INTERFACE ONDRIX_FUZZ_BUILD=1)
  target_link_options(ondrix_options INTERFACE -fsanitize=address,undefined)
endif()

# ondrix_library(NAME SOURCES ... [DEPS ...]): a static engine library.
function(ondrix_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC ondrix_options ${A_DEPS})
endfunction()

# ondrix_test(NAME SOURCES ... [DEPS ...] [TIMEOUT SECONDS]): one GoogleTest executable, registered
# as one CTest test. The whole executable runs in a few seconds; the time-out (default 60 s) makes
# a hang fail fast.
function(ondrix_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 60)
  endif()
  find_package(GTest REQUIRED)
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ondrix_options ${A_DEPS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)  # tests/common/
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "ONDRIX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;ASAN_OPTIONS=detect_leaks=1")
endfunction()

# ondrix_bench(NAME SOURCES ... [DEPS ...]): one Google Benchmark executable.
function(ondrix_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ondrix_options ${A_DEPS} benchmark::benchmark)
  set_property(GLOBAL APPEND PROPERTY ONDRIX_BENCHMARKS ${name})
endfunction()

# ondrix_fuzzer(NAME SOURCE file [DEPS ...]): a libFuzzer target in the fuzz build; in the ordinary
# build the same source links with a replay main and CTest replays the corpus folder fuzz/corpus/NAME.
function(ondrix_fuzzer name)
  cmake_parse_arguments(A "" "SOURCE" "DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCE})
  target_link_libraries(${name} PRIVATE ondrix_options ${A_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
  set_property(GLOBAL APPEND PROPERTY ONDRIX_FUZZERS ${name})
  if(ONDRIX_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    add_test(NAME ${name}_corpus COMMAND ${name} ${corpus})
    set_tests_properties(${name}_corpus PROPERTIES TIMEOUT 60)
  endif()
endfunction()

# ondrix_write_target_list(PROPERTY FILE): writes one line "NAME PATH" for every target declared
# under the global PROPERTY (ONDRIX_BENCHMARKS, ONDRIX_FUZZERS); scripts/bench.sh and
# scripts/fuzz.sh run what these lists name.
function(ondrix_write_target_list property file)
  get_property(names GLOBAL PROPERTY ${property})
  set(lines "")
  foreach(name IN LISTS names)
    string(APPEND lines "${name} $<TARGET_FILE:${name}>\n")
  endforeach()
  file(GENERATE OUTPUT ${file} CONTENT "${lines}")
endfunction()
