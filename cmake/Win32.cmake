# The program, its Win32 layer and the tests that run under Wine (or on Windows).
enable_language(RC)

# One self-contained program file: no MinGW runtime DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(zelvora_win32 STATIC
  toolkit/Application.cpp
  toolkit/Canvas.cpp
  toolkit/Form.cpp
  toolkit/Registry.cpp
  engine/GlobalHotkeys.cpp
  engine/MarkingEngine.cpp
  engine/SystemKeyNames.cpp)
target_link_libraries(zelvora_win32 PUBLIC zelvora_portable user32 gdi32 advapi32)
target_compile_definitions(zelvora_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

add_executable(Zelvora WIN32
  app/Zelvora.cpp
  app/frmZelvora.cpp
  resources/Zelvora.rc)
target_link_libraries(Zelvora PRIVATE zelvora_win32)
set_target_properties(Zelvora PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELVORA_BIN_DIR})

if(ZELVORA_TESTS)
  add_subdirectory(tests/tools)
  add_subdirectory(bench/win32)
  add_subdirectory(tests/win32)
endif()
