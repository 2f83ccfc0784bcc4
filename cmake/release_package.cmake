# Script mode: makes the two release packages from the built files.
#   PAYLOAD   folder to fill with a new installation's files (emptied first)
#   PROGRAM, CTL, GUIDE, LICENSE, ICON   the files to ship
#   DEFAULTS  the tool that writes a new installation's config.bin and str.ini
#   SKINS_ROOT, SKIN_FOLDERS, SKIN_FILES  rendered skins (comma-separated lists)
#   VERSION, ZIP, SETUP, NSI, SKINS_NSH, ZIP_TOOL, MAKENSIS
foreach(v PAYLOAD PROGRAM CTL GUIDE LICENSE ICON DEFAULTS SKINS_ROOT SKIN_FOLDERS SKIN_FILES
          VERSION ZIP SETUP NSI SKINS_NSH ZIP_TOOL MAKENSIS)
    if(NOT DEFINED ${v})
        message(FATAL_ERROR "release_package.cmake: ${v} not given")
    endif()
endforeach()
string(REPLACE "," ";" SKIN_FOLDERS "${SKIN_FOLDERS}")
string(REPLACE "," ";" SKIN_FILES "${SKIN_FILES}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "failed (${result}): ${command}")
    endif()
endfunction()

# Made anew each time, so that nothing a test or a user left in a staged
# folder (a changed config.bin, a virtual mouse) reaches a package.
file(REMOVE_RECURSE ${PAYLOAD})
file(MAKE_DIRECTORY ${PAYLOAD})
file(COPY_FILE ${PROGRAM} ${PAYLOAD}/TRV418.exe)
file(COPY_FILE ${CTL} ${PAYLOAD}/trv418ctl.exe)
file(COPY_FILE ${GUIDE} ${PAYLOAD}/TRV418-Guide.html)
# With a name Windows opens.
file(COPY_FILE ${LICENSE} ${PAYLOAD}/LICENSE.txt)
run(${DEFAULTS} ${PAYLOAD})
set(remove_skins "")
set(install_skins "")
foreach(folder IN LISTS SKIN_FOLDERS)
    file(MAKE_DIRECTORY ${PAYLOAD}/Skins/${folder})
    foreach(image IN LISTS SKIN_FILES)
        # The images of other display scales sit in @<scale> subfolders.
        get_filename_component(subfolder ${PAYLOAD}/Skins/${folder}/${image} DIRECTORY)
        file(MAKE_DIRECTORY ${subfolder})
        file(COPY_FILE ${SKINS_ROOT}/${folder}/${image} ${PAYLOAD}/Skins/${folder}/${image})
    endforeach()
    string(APPEND remove_skins "    RMDir /r \"$INSTDIR\\Skins\\${folder}\"\n")
    string(APPEND install_skins "    SetOutPath \"$INSTDIR\\Skins\\${folder}\"\n"
                                "    File /r \"${PAYLOAD}/Skins/${folder}/*.png\"\n")
endforeach()
file(WRITE ${SKINS_NSH}
    "!macro TRV_REMOVE_SKINS\n${remove_skins}!macroend\n"
    "!macro TRV_INSTALL_SKINS\n${install_skins}    SetOutPath \"$INSTDIR\"\n!macroend\n")

# Only this version's packages: the release command copies them all.
get_filename_component(dist ${ZIP} DIRECTORY)
file(REMOVE_RECURSE ${dist})
file(MAKE_DIRECTORY ${dist})

# The zip holds one folder, TRV418, ready to run where it is unpacked.
get_filename_component(payload_parent ${PAYLOAD} DIRECTORY)
get_filename_component(payload_name ${PAYLOAD} NAME)
execute_process(COMMAND ${ZIP_TOOL} -q -X -9 -r ${ZIP} ${payload_name}
    WORKING_DIRECTORY ${payload_parent} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "zip failed (${result})")
endif()

string(REGEX MATCH "^[0-9]+\\.[0-9]+\\.[0-9]+" numeric "${VERSION}")
run(${MAKENSIS} -V2 -NOCD
    -DVERSION=${VERSION} -DVERSION_QUAD=${numeric}.0
    -DPAYLOAD=${PAYLOAD} -DICON=${ICON} -DSKINS_NSH=${SKINS_NSH} -DOUTFILE=${SETUP}
    ${NSI})

foreach(f ${ZIP} ${SETUP})
    file(SIZE ${f} size)
    get_filename_component(name ${f} NAME)
    message(STATUS "${name}: ${size} bytes")
endforeach()
