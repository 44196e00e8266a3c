# Helpers shared by every folder's CMakeLists.

# calderan_resources(<target> <file.rc>): compiles a Windows resource script with wrc and links it.
function(calderan_resources target rc)
  get_filename_component(name ${rc} NAME_WE)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${name}.res)
  get_filename_component(rcdir ${rc} DIRECTORY)
  add_custom_command(OUTPUT ${res}
    COMMAND ${CALDERAN_WRC} -I${rcdir} -I${CMAKE_SOURCE_DIR}/resources -o ${res} ${rc}
    DEPENDS ${rc} ${ARGN}
    COMMENT "wrc ${name}.rc")
  add_custom_target(${target}_res DEPENDS ${res})
  add_dependencies(${target} ${target}_res)
  target_link_options(${target} PRIVATE ${res})
endfunction()

# calderan_test(<name> SOURCES ... LIBS ... [RESOURCES rc]): one GoogleTest executable run by ctest.
function(calderan_test name)
  cmake_parse_arguments(T "" "RESOURCES" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main pthread ${CALDERAN_WIN32_LIBS})
  if(T_RESOURCES)
    calderan_resources(${name} ${T_RESOURCES})
  endif()
  add_test(NAME ${name} COMMAND ${CMAKE_CURRENT_BINARY_DIR}/${name}.exe
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
