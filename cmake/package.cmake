# The release packages of the plain build, named with the project's version:
# dist/TRV418-<version>-win64.zip (unpack and run) and
# dist/TRV418-<version>-setup.exe (an NSIS setup program), in the build folder.
find_program(TRV_MAKENSIS makensis REQUIRED)
find_program(TRV_ZIP zip REQUIRED)

set(TRV_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(TRV_PACKAGE_ZIP ${TRV_DIST_DIR}/TRV418-${PROJECT_VERSION}-win64.zip)
set(TRV_PACKAGE_SETUP ${TRV_DIST_DIR}/TRV418-${PROJECT_VERSION}-setup.exe)
set(package_work ${CMAKE_BINARY_DIR}/package)

set(package_skin_files "")
foreach(folder IN LISTS skin_folders)
    list(TRANSFORM skin_files PREPEND ${TRV_STAGE_PLAIN_DIR}/Skins/${folder}/ OUTPUT_VARIABLE files)
    list(APPEND package_skin_files ${files})
endforeach()
string(REPLACE ";" "," package_folders_arg "${skin_folders}")
string(REPLACE ";" "," package_files_arg "${skin_files}")

add_custom_command(OUTPUT ${TRV_PACKAGE_ZIP} ${TRV_PACKAGE_SETUP}
    COMMAND ${CMAKE_COMMAND}
        -DPAYLOAD=${package_work}/TRV418
        -DPROGRAM=$<TARGET_FILE:trv418_plain> -DCTL=$<TARGET_FILE:trv418ctl>
        -DGUIDE=${TRV_GUIDE} -DLICENSE=${TRV_ROOT}/LICENSE -DICON=${TRV_GEN_DIR}/trv418.ico
        -DDEFAULTS=${TRV_MAKE_DEFAULTS}
        -DSKINS_ROOT=${TRV_STAGE_PLAIN_DIR}/Skins -DSKIN_FOLDERS=${package_folders_arg}
        -DSKIN_FILES=${package_files_arg}
        -DVERSION=${PROJECT_VERSION} -DZIP=${TRV_PACKAGE_ZIP} -DSETUP=${TRV_PACKAGE_SETUP}
        -DNSI=${TRV_ROOT}/packaging/trv418.nsi -DSKINS_NSH=${package_work}/skins.nsh
        -DZIP_TOOL=${TRV_ZIP} -DMAKENSIS=${TRV_MAKENSIS}
        -P ${TRV_ROOT}/cmake/release_package.cmake
    DEPENDS trv418_plain trv418ctl host_tools ${TRV_MAKE_DEFAULTS} ${TRV_GUIDE}
        ${TRV_GEN_DIR}/trv418.ico ${TRV_ROOT}/LICENSE ${package_skin_files}
        ${TRV_ROOT}/packaging/trv418.nsi ${TRV_ROOT}/cmake/release_package.cmake
    COMMENT "Packing TRV418 ${PROJECT_VERSION}: zip and setup program"
    VERBATIM)
add_custom_target(packages ALL DEPENDS ${TRV_PACKAGE_ZIP} ${TRV_PACKAGE_SETUP})
# The rendered skins and the guide are other targets' outputs: built first,
# their rules never run twice at once.
add_dependencies(packages skins guide)
