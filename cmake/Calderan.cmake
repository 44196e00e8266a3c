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
  # A link option is no dependency of the link: without this a changed resource is compiled but the
  # program keeps the old one.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${res})
endfunction()

# calderan_test(<name> SOURCES ... LIBS ... [RESOURCES rc [RESOURCE_FILES file...]]): one GoogleTest
# executable run by ctest; RESOURCE_FILES are files the script includes (rebuilt when they change).
function(calderan_test name)
  cmake_parse_arguments(T "" "RESOURCES" "SOURCES;LIBS;RESOURCE_FILES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main pthread ${CALDERAN_WIN32_LIBS})
  if(T_RESOURCES)
    calderan_resources(${name} ${T_RESOURCES} ${T_RESOURCE_FILES})
  endif()
  add_test(NAME ${name} COMMAND ${CMAKE_CURRENT_BINARY_DIR}/${name}.exe
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  # A failed test counts even when the process's exit code is lost on its way out of Wine.
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

# calderan_library(<name> [DEPS lib...] [LINK lib...]): the folder's static library from every .cpp
# in it (globbed, so adding a module touches no list). Its headers are reached by their bare names.
function(calderan_library name)
  cmake_parse_arguments(L "" "" "DEPS;LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_DEPS} ${L_LINK} ${CALDERAN_WIN32_LIBS})
  calderan_layer(${name})
endfunction()

# calderan_layer(<library>): the library joins the link graph that the test source_library_layers
# checks for cycles (calderan_library does this for each folder's library).
function(calderan_layer name)
  set_property(GLOBAL APPEND PROPERTY CALDERAN_LIBRARIES ${name})
endfunction()

# calderan_write_link_graph(<file>): one line per library of calderan_layer: its name, its archive
# and the project libraries it links (comma-separated). Called once every library is defined.
function(calderan_write_link_graph file)
  get_property(libraries GLOBAL PROPERTY CALDERAN_LIBRARIES)
  set(graph "")
  foreach(library ${libraries})
    get_target_property(links ${library} LINK_LIBRARIES)
    set(deps "")
    foreach(link ${links})
      if(link IN_LIST libraries)
        list(APPEND deps ${link})
      endif()
    endforeach()
    string(JOIN "," deps_text ${deps})
    string(APPEND graph "${library} $<TARGET_FILE:${library}> ${deps_text}\n")
  endforeach()
  file(GENERATE OUTPUT ${file} CONTENT "${graph}")
endfunction()

# calderan_tests(<prefix> LIBS ... [RESOURCES rc [RESOURCE_FILES file...]]): one test executable per
# *_test.cpp in the folder, named <prefix>_<file>.
function(calderan_tests prefix)
  cmake_parse_arguments(T "" "RESOURCES" "LIBS;RESOURCE_FILES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(src ${tests})
    get_filename_component(stem ${src} NAME_WE)
    if(T_RESOURCES)
      calderan_test(${prefix}_${stem} SOURCES ${src} LIBS ${T_LIBS} RESOURCES ${T_RESOURCES}
                    RESOURCE_FILES ${T_RESOURCE_FILES})
    else()
      calderan_test(${prefix}_${stem} SOURCES ${src} LIBS ${T_LIBS})
    endif()
  endforeach()
endfunction()

# calderan_window_dlls_on_first_use(<target>): the program's window DLLs are loaded when first called,
# not when the process starts. Loading the common controls loads a cursor, and under Wine that
# starts the desktop process and waits for it (0.3-0.4 s); a process that converts and opens no
# window never needs it, and one that shows windows loads them at its first window as before.
function(calderan_window_dlls_on_first_use target)
  foreach(dll comctl32 comdlg32 shell32 msimg32 winmm)
    target_link_options(${target} PRIVATE -Wl,-delayload,${dll}.dll)
  endforeach()
endfunction()
