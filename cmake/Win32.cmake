# The program, its Win32 layer and the tests that run under Wine (or on Windows).
enable_language(RC)

# One self-contained program file: no MinGW runtime DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

zelvora_sources(win32_sources "win32/" toolkit engine tray look controls)
add_library(zelvora_win32 STATIC ${win32_sources})
# comdlg32, shell32, ole32, oleaut32, uxtheme and version are bound on first use (SystemLibrary.h).
target_link_libraries(zelvora_win32 PUBLIC zelvora_portable user32 gdi32 advapi32 comctl32 uuid)
target_compile_definitions(zelvora_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

# The windows of the program, for the program and for the tests that open them.
zelvora_sources(window_sources "win32/" dialogs app)
list(REMOVE_ITEM window_sources "${CMAKE_SOURCE_DIR}/app/win32/Program.cpp")
add_library(zelvora_windows STATIC ${window_sources})
target_link_libraries(zelvora_windows PUBLIC zelvora_win32)

# Each window's translations, compiled from their readable sources into the payloads the
# program embeds.
if(CMAKE_CROSSCOMPILING)
  set(ZELVORA_LANGC "${CMAKE_SOURCE_DIR}/out/build-native/zelvora-langc" CACHE FILEPATH
      "The translation compiler built for the build machine")
  set(langc "${ZELVORA_LANGC}")
else()
  set(langc $<TARGET_FILE:zelvora-langc>)
endif()
set(payload_dir "${CMAKE_BINARY_DIR}/payloads")
file(MAKE_DIRECTORY "${payload_dir}")
configure_file(resources/ZelvoraVersion.h.in "${payload_dir}/ZelvoraVersion.h")
set(payloads)
foreach(window frmZelvora frmAbout frmLicense frmEditHotkey frmDrawingKeys)
  add_custom_command(
    OUTPUT "${payload_dir}/${window}.sil"
    COMMAND "${langc}" "${CMAKE_SOURCE_DIR}/resources/${window}.lang" "${payload_dir}/${window}.sil"
    DEPENDS "${CMAKE_SOURCE_DIR}/resources/${window}.lang" "${CMAKE_SOURCE_DIR}/resources/common-sections.lang"
    COMMENT "Compiling the translations of ${window}")
  list(APPEND payloads "${payload_dir}/${window}.sil")
endforeach()
add_custom_target(zelvora_payloads DEPENDS ${payloads})
set(ZELVORA_PAYLOADS "${payloads}")
set(ZELVORA_PAYLOAD_DIR "${payload_dir}")

add_executable(Zelvora WIN32
  app/win32/Program.cpp
  resources/Zelvora.rc)
add_dependencies(Zelvora zelvora_payloads)
target_include_directories(Zelvora PRIVATE "${payload_dir}")
target_link_libraries(Zelvora PRIVATE zelvora_windows)
# What users get carries no symbol tables: half the file.
target_link_options(Zelvora PRIVATE $<$<CONFIG:Release>:-s>)
# The linker takes the file's time stamp from SOURCE_DATE_EPOCH (scripts/build sets the commit's):
# a new one links again.
set(epoch_file "${CMAKE_BINARY_DIR}/source-date-epoch")
file(CONFIGURE OUTPUT "${epoch_file}" CONTENT "$ENV{SOURCE_DATE_EPOCH}\n")
set_property(TARGET Zelvora APPEND PROPERTY LINK_DEPENDS "${epoch_file}")
# Signed in place when scripts/sign-file is given a certificate, before the setup packs it.
add_custom_command(TARGET Zelvora POST_BUILD COMMAND "${CMAKE_SOURCE_DIR}/scripts/sign-file" "$<TARGET_FILE:Zelvora>")
# Window descriptions and pictures are compiled in; a change to one rebuilds the resources.
set(ZELVORA_RESOURCE_FILES
  ${ZELVORA_PAYLOADS}
  ${CMAKE_SOURCE_DIR}/resources/frmZelvora.form ${CMAKE_SOURCE_DIR}/resources/frmAbout.form
  ${CMAKE_SOURCE_DIR}/resources/frmLicense.form ${CMAKE_SOURCE_DIR}/resources/frmEditHotkey.form
  ${CMAKE_SOURCE_DIR}/resources/frmDrawingKeys.form
  ${CMAKE_SOURCE_DIR}/resources/header.bmp ${CMAKE_SOURCE_DIR}/resources/Zelvora.ico
  ${CMAKE_SOURCE_DIR}/resources/Zelvora.manifest "${payload_dir}/ZelvoraVersion.h")
set_source_files_properties(resources/Zelvora.rc PROPERTIES OBJECT_DEPENDS "${ZELVORA_RESOURCE_FILES}")
set_target_properties(Zelvora PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELVORA_BIN_DIR})

# The setup program, with the same version the version resource carries.
find_program(ZELVORA_MAKENSIS makensis)
if(ZELVORA_MAKENSIS)
  set(setup_file "${ZELVORA_BIN_DIR}/Zelvora-${PROJECT_VERSION}-setup.exe")
  file(GLOB installer_sources "${CMAKE_SOURCE_DIR}/installer/*")
  add_custom_command(
    OUTPUT "${setup_file}"
    COMMAND "${CMAKE_SOURCE_DIR}/scripts/make-setup" "${PROJECT_VERSION}" "$<TARGET_FILE:Zelvora>"
            "${CMAKE_SOURCE_DIR}/resources/Zelvora.ico" "${setup_file}"
    DEPENDS Zelvora ${installer_sources} "${CMAKE_SOURCE_DIR}/resources/Zelvora.ico"
            "${CMAKE_SOURCE_DIR}/scripts/make-setup" "${CMAKE_SOURCE_DIR}/scripts/sign-file" "${epoch_file}"
    COMMENT "Making the setup program")
  add_custom_target(zelvora_setup ALL DEPENDS "${setup_file}")
else()
  message(WARNING "makensis not found (Debian package nsis): no setup program is made")
endif()

if(ZELVORA_TESTS)
  add_subdirectory(tests/tools)
  add_subdirectory(bench/win32)
  add_subdirectory(tests/win32)
endif()
