# The Windows side: the dialog framework, the Win32 adapters, TRV418.exe in its
# plain and demo builds, their staged folders, and GoogleTest built from source.
include(ExternalProject)

# The runtime goes into the executable so that TRV418.exe needs no DLL beyond
# the ones Windows ships.
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
# Unused functions and data, ours and the runtime's, stay out of the executable.
add_compile_options(-ffunction-sections -fdata-sections)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main gmock gmock_main)
    target_compile_options(${t} PRIVATE -w)
endforeach()

# Tools that produce build inputs (the icon, the default config.bin and str.ini)
# run on the build machine, so they are built by a native configure of this
# same tree.
set(TRV_HOST_DIR ${CMAKE_BINARY_DIR}/host)
ExternalProject_Add(host_tools
    SOURCE_DIR ${TRV_ROOT}
    BINARY_DIR ${TRV_HOST_DIR}
    CMAKE_ARGS -DTRV_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${TRV_HOST_DIR}/tools/trv_make_icon ${TRV_HOST_DIR}/tools/trv_make_defaults)
set(TRV_MAKE_ICON ${TRV_HOST_DIR}/tools/trv_make_icon)
set(TRV_MAKE_DEFAULTS ${TRV_HOST_DIR}/tools/trv_make_defaults)

set(TRV_GEN_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${TRV_ROOT}/app/version.h.in ${TRV_GEN_DIR}/trv418_version.h @ONLY)
add_custom_command(OUTPUT ${TRV_GEN_DIR}/trv418.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRV_GEN_DIR}
    COMMAND ${TRV_MAKE_ICON} ${TRV_GEN_DIR}/trv418.ico
    DEPENDS host_tools
    COMMENT "Drawing the application icon")

file(GLOB window_sources CONFIGURE_DEPENDS ${TRV_ROOT}/window/*.cpp)
add_library(trv_window STATIC ${window_sources})
target_include_directories(trv_window PUBLIC ${TRV_ROOT})
target_link_libraries(trv_window PUBLIC comctl32 gdiplus gdi32 user32 shell32 msimg32 comdlg32 shlwapi
    ole32 oleaut32 uuid)

add_library(trv_win STATIC ${TRV_WIN_SOURCES})
target_include_directories(trv_win PUBLIC ${TRV_ROOT})
target_link_libraries(trv_win PUBLIC trv_window trv_core cfgmgr32 setupapi hid advapi32 oleacc)

# Resources: dialog template 700, icon 720 and the manifest.
set(TRV_RC ${TRV_ROOT}/app/trv418.rc)
set_source_files_properties(${TRV_RC} PROPERTIES
    OBJECT_DEPENDS "${TRV_GEN_DIR}/trv418.ico;${TRV_GEN_DIR}/trv418_version.h;${TRV_ROOT}/app/trv418.manifest;${TRV_ROOT}/app/resource.h")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${TRV_GEN_DIR} -I${TRV_ROOT}/app")

# Builds one flavour of TRV418.exe. Both are named TRV418.exe in their staged
# folders, because the program finds its files by its own name.
function(trv_add_program target backend_source)
    add_executable(${target} WIN32 ${TRV_ROOT}/app/winmain_entry_win.cpp ${backend_source} ${TRV_RC})
    target_link_libraries(${target} PRIVATE trv_win)
    target_link_options(${target} PRIVATE -municode -s)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${target})
endfunction()

trv_add_program(trv418_plain ${TRV_ROOT}/device/hid_setupapi_backend_win.cpp)
trv_add_program(trv418_demo ${TRV_ROOT}/device/hid_virtual_backend_win.cpp)

set(TRV_STAGE_PLAIN_DIR ${CMAKE_BINARY_DIR}/stage/plain)
set(TRV_STAGE_DEMO_DIR ${CMAKE_BINARY_DIR}/stage/demo)

# Stages a ready-to-run folder: TRV418.exe beside config.bin, str.ini and Skins/.
# Existing config.bin and str.ini are kept, as an installer would keep a user's.
function(trv_add_stage name program dir)
    add_custom_target(${name} ALL
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${program}> ${dir}/TRV418.exe
        COMMAND ${TRV_MAKE_DEFAULTS} --keep ${dir}
        DEPENDS ${program} host_tools
        COMMENT "Staging ${dir}")
endfunction()
trv_add_stage(stage_plain trv418_plain ${TRV_STAGE_PLAIN_DIR})
trv_add_stage(stage_demo trv418_demo ${TRV_STAGE_DEMO_DIR})

# trv418ctl.exe, the command-line tool on the same core: a console program
# with the system's HID stack (--virtual FOLDER picks the virtual mouse at run
# time), staged beside TRV418.exe in both folders.
add_executable(trv418ctl ${TRV_ROOT}/ctl/trv418ctl_entry_win.cpp
    ${TRV_ROOT}/device/hid_setupapi_backend_win.cpp ${TRV_ROOT}/ctl/trv418ctl.rc)
set_source_files_properties(${TRV_ROOT}/ctl/trv418ctl.rc PROPERTIES
    OBJECT_DEPENDS "${TRV_GEN_DIR}/trv418_version.h;${TRV_ROOT}/ctl/trv418ctl.manifest")
target_include_directories(trv418ctl PRIVATE ${TRV_ROOT}/ctl)
target_link_libraries(trv418ctl PRIVATE trv_win)
target_link_options(trv418ctl PRIVATE -municode -s)
add_custom_target(stage_ctl ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRV_STAGE_PLAIN_DIR} ${TRV_STAGE_DEMO_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:trv418ctl> ${TRV_STAGE_PLAIN_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:trv418ctl> ${TRV_STAGE_DEMO_DIR}/
    DEPENDS trv418ctl
    COMMENT "Staging trv418ctl.exe")

add_subdirectory(${TRV_ROOT}/bench ${CMAKE_BINARY_DIR}/bench)

# Every skin, rendered from its sources into Skins/ of both staged folders.
include(${TRV_ROOT}/cmake/skins.cmake)

# The user guide: one self-contained HTML page from docs/guide.md, staged
# beside TRV418.exe, whose link on the page opens it.
set(TRV_GUIDE ${TRV_GEN_DIR}/TRV418-Guide.html)
file(GLOB guide_inputs CONFIGURE_DEPENDS ${TRV_ROOT}/docs/guide*.* ${TRV_ROOT}/docs/screenshots/*.png)
add_custom_command(OUTPUT ${TRV_GUIDE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRV_GEN_DIR}
    COMMAND bash ${TRV_ROOT}/docs/render-guide.sh ${TRV_ROOT}/docs ${TRV_GUIDE} ${PROJECT_VERSION}
    DEPENDS ${guide_inputs} ${TRV_ROOT}/docs/render-guide.sh
    COMMENT "Rendering the user guide")
add_custom_target(guide ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRV_STAGE_PLAIN_DIR} ${TRV_STAGE_DEMO_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TRV_GUIDE} ${TRV_STAGE_PLAIN_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TRV_GUIDE} ${TRV_STAGE_DEMO_DIR}/
    DEPENDS ${TRV_GUIDE})
add_dependencies(stage_demo guide)
add_dependencies(stage_plain guide)

# The release packages: the portable zip and the setup program.
include(${TRV_ROOT}/cmake/package.cmake)
