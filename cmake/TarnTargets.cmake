# Shared compile settings and small helpers for the project's targets.

add_library(tarn_options INTERFACE)
target_compile_options(tarn_options INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
if(TARN_WERROR)
  target_compile_options(tarn_options INTERFACE -Werror)
endif()
target_include_directories(tarn_options INTERFACE ${CMAKE_SOURCE_DIR})

if(TARN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TARN_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# tarn_library(NAME SOURCES ... [LIBS ...]): one library per source folder.
function(tarn_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC tarn_options ${ARG_LIBS})
endfunction()

# tarn_test(NAME SOURCES ... [LIBS ...]): a GoogleTest executable registered
# with CTest. Its main (tests/support/test_main.cpp) gives every test process
# private user, settings and runtime folders and the source tree as program
# folder.
function(tarn_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
  target_compile_definitions(${name} PRIVATE TARN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE tarn_options GTest::gtest GTest::gmock ${ARG_LIBS})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
