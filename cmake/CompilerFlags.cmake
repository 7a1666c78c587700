# Results must be those of the written arithmetic in its order: no contraction
# into fused multiply-adds, no fast-math, baseline x86-64 only (anything wider
# goes through run-time dispatch in the code itself).
add_compile_options(-Wall -Wextra -ffp-contract=off -fno-fast-math)
if(SONVAREK_WERROR)
  add_compile_options(-Werror)
endif()

if(SONVAREK_SANITIZE)
  add_compile_options(-fsanitize=${SONVAREK_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${SONVAREK_SANITIZE})
  add_compile_definitions(SONVAREK_SANITIZED=1)
endif()

# Adds one library target per subsystem folder from the sources found in it.
# Usage: sonvarek_subsystem_library(<target> [DEPS <targets...>] [SYSTEM_LIBS <libs...>]
#                                    [EXCLUDE <sub-folders with a library of their own...>])
function(sonvarek_subsystem_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;SYSTEM_LIBS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  foreach(folder ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${folder}/")
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS} ${ARG_SYSTEM_LIBS})
  endif()
endfunction()

# Adds one GoogleTest executable per *_test.cpp file in the calling folder.
# Usage: sonvarek_tests(LIBS <targets...> [LABELS <labels...>] [LAUNCHER <command...>])
# With LAUNCHER each test runs as "<command...> <test executable>"; the
# launcher's exit status 77 counts as skipped.
# A test file whose name ends in _long_test.cpp gets the label "long" (left
# out of sanitizer runs); one ending in _concurrency_test.cpp the label
# "concurrency" (run under ThreadSanitizer).
function(sonvarek_tests)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS;LAUNCHER" ${ARGN})
  find_package(GTest REQUIRED)
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB support_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "_" prefix "${rel}")
  # Test code is compiled for build speed (the libraries under test keep the
  # build type's optimisation); the folder's support sources once, as objects
  # every test of the folder links whole.
  set(test_libs ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(support_sources)
    add_library(${prefix}_support OBJECT ${support_sources})
    target_include_directories(${prefix}_support PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${prefix}_support PRIVATE ${test_libs})
    target_compile_options(${prefix}_support PRIVATE -O1)
    list(APPEND test_libs ${prefix}_support)
  endif()
  foreach(src ${test_sources})
    get_filename_component(name ${src} NAME_WE)
    set(exe "${prefix}_${name}")
    add_executable(${exe} ${src})
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${exe} PRIVATE ${test_libs})
    target_compile_options(${exe} PRIVATE -O1)
    set(labels ${ARG_LABELS})
    if(name MATCHES "_long_test$")
      list(APPEND labels long)
    endif()
    if(name MATCHES "_concurrency_test$")
      list(APPEND labels concurrency)
      set_property(GLOBAL APPEND PROPERTY SONVAREK_CONCURRENCY_TESTS ${exe})
    endif()
    add_test(NAME ${exe} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:${exe}>)
    if(ARG_LAUNCHER)
      set_tests_properties(${exe} PROPERTIES SKIP_RETURN_CODE 77)
    endif()
    set_tests_properties(${exe} PROPERTIES LABELS "${labels}" ENVIRONMENT
                         "LC_ALL=C;LANG=C;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
  endforeach()
endfunction()
