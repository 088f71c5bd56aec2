# lyntra_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [WRAP <command...>])
# One QtTest executable per area, run with a fresh HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR so that no
# test touches a user's files or another test's virtual unit. WRAP runs the test program through a
# command (e.g. one that preloads a library into it alone). SHARDS runs parts of the program at the same
# time (cmake/run-shards.sh): its QtTest arguments, the parts separated by "--".
function(lyntra_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;WRAP;SHARDS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(T_SHARDS)
    add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/cmake/run-shards.sh $<TARGET_FILE:${name}> ${T_SHARDS})
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/cmake/run-isolated.sh ${T_WRAP} $<TARGET_FILE:${name}>)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "LYNTRA_BIN_DIR=${CMAKE_BINARY_DIR}/bin;LYNTRA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  # The programs a test starts inherit these too.
  if(LYNTRA_SANITIZE STREQUAL "address")
    # Qt's offscreen platform plugin keeps its screen objects until exit: tests/support/lsan.supp.
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0")
  elseif(LYNTRA_SANITIZE STREQUAL "thread")
    # Qt itself is not built with ThreadSanitizer; its internal locking would be reported as races.
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "TSAN_OPTIONS=ignore_noninstrumented_modules=1")
  endif()
endfunction()
