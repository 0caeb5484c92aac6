# Native build of the portable code: unit tests, fuzz targets, and the desktop test driver that
# runs the Windows program under Wine.
if(ZELVORA_TESTS)
  find_package(GTest REQUIRED)
  add_subdirectory(tests/unit)
  add_subdirectory(tests/servers)
  # The HTTP client beside curl over loopback.
  add_executable(zelvora-http-bench bench/http_bench.cpp tests/support/Loopback.cpp)
  target_link_libraries(zelvora-http-bench PRIVATE zelvora_portable)
  # The update check's client against hostile servers: time to the failure and peak memory.
  add_executable(zelvora-hostile-bench bench/hostile_bench.cpp tests/support/ScriptedServer.cpp
    tests/support/Loopback.cpp)
  target_link_libraries(zelvora-hostile-bench PRIVATE zelvora_portable)
  target_include_directories(zelvora-hostile-bench PRIVATE ${CMAKE_SOURCE_DIR})
  find_package(X11)
  find_package(PNG)
  if(X11_FOUND AND X11_XTest_FOUND AND X11_Xfixes_FOUND AND PNG_FOUND)
    add_subdirectory(tests/desktop)
    add_subdirectory(demo)
    add_subdirectory(bench)
  else()
    message(STATUS "Xlib/XTest/Xfixes or libpng not found: no desktop tests")
  endif()
endif()
if(ZELVORA_FUZZ)
  add_subdirectory(tests/fuzz)
endif()

# The layer rules hold for the tree, and the check finds what breaks them.
add_test(NAME layer_rules COMMAND ${CMAKE_COMMAND} -DZELVORA_ROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake)
add_test(NAME layer_rules_accept_a_sound_tree
         COMMAND ${CMAKE_COMMAND} -DZELVORA_ROOT=${CMAKE_SOURCE_DIR}/tests/layers/sound -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake)
set(upward_fault "toolkit/Upward.h: toolkit may not include app/Settings.h")
set(windows-in-portable_fault "engine/NeedsWindows.h: portable code may not include <windows.h>")
foreach(broken upward windows-in-portable)
  add_test(NAME layer_rules_reject_${broken}
           COMMAND ${CMAKE_COMMAND} -DZELVORA_ROOT=${CMAKE_SOURCE_DIR}/tests/layers/${broken} -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake)
  set_tests_properties(layer_rules_reject_${broken} PROPERTIES PASS_REGULAR_EXPRESSION "${${broken}_fault}")
endforeach()
