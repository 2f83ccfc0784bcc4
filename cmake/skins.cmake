# Skins: each skins/*.palette names a skin folder and its colours; every image
# of skins/images.list is rendered from the SVG sources in skins/src with
# those colours and staged into Skins/<folder>/ beside both programs, with the
# dialogs' colours in Skins/<folder>/colours.ini.
find_program(TRV_RSVG rsvg-convert REQUIRED)
find_program(TRV_CONVERT convert REQUIRED)
find_program(TRV_MOGRIFY mogrify REQUIRED)
find_program(TRV_COMPARE compare REQUIRED)

set(TRV_SKIN_DIR ${TRV_ROOT}/skins)
set(TRV_SKIN_RENDER ${TRV_ROOT}/cmake/skin_render.cmake)
file(GLOB skin_palettes CONFIGURE_DEPENDS ${TRV_SKIN_DIR}/*.palette)
file(GLOB skin_sources CONFIGURE_DEPENDS ${TRV_SKIN_DIR}/src/*)
# The folder names and the image list shape the build graph itself.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${skin_palettes} ${TRV_SKIN_DIR}/images.list)

file(STRINGS ${TRV_SKIN_DIR}/images.list skin_images REGEX "^[^#]")
list(TRANSFORM skin_images REPLACE "^([^ \t]+).*" "\\1" OUTPUT_VARIABLE skin_files)

# The display scales every skin is rendered for, in percent; 100 goes to the
# skin's folder, the others to its @<scale> subfolders.
set(TRV_SKIN_SCALES 100 125 150 175 200)
# Every image's path inside a skin folder, at every scale.
set(skin_base_files ${skin_files})
foreach(scale IN LISTS TRV_SKIN_SCALES)
    if(NOT scale EQUAL 100)
        list(TRANSFORM skin_base_files PREPEND @${scale}/ OUTPUT_VARIABLE scaled_files)
        list(APPEND skin_files ${scaled_files})
    endif()
endforeach()

# One command per skin and scale: a change to a source, the palette or the
# list renders the whole skin again; a command per image would spend most of
# its time starting tools, and separate scales let the build run them side by
# side.
set(skin_outputs "")
set(skin_folders "")
foreach(palette IN LISTS skin_palettes)
    file(STRINGS ${palette} folder_line REGEX "^folder[ \t]+")
    string(REGEX REPLACE "^folder[ \t]+([^ \t]+).*" "\\1" folder "${folder_line}")
    if(NOT folder MATCHES "^[A-Za-z0-9_-]+$")
        message(FATAL_ERROR "${palette}: no usable 'folder' line")
    endif()
    list(APPEND skin_folders ${folder})

    foreach(scale IN LISTS TRV_SKIN_SCALES)
        set(plain ${TRV_STAGE_PLAIN_DIR}/Skins/${folder})
        set(demo ${TRV_STAGE_DEMO_DIR}/Skins/${folder})
        set(prefix "")
        if(NOT scale EQUAL 100)
            set(prefix @${scale}/)
        endif()
        list(TRANSFORM skin_base_files PREPEND ${plain}/${prefix} OUTPUT_VARIABLE plain_files)
        list(TRANSFORM skin_base_files PREPEND ${demo}/${prefix} OUTPUT_VARIABLE demo_files)
        if(scale EQUAL 100)
            list(APPEND plain_files ${plain}/colours.ini)
            list(APPEND demo_files ${demo}/colours.ini)
        endif()
        add_custom_command(OUTPUT ${plain_files} ${demo_files}
            COMMAND ${CMAKE_COMMAND} -DLIST=${TRV_SKIN_DIR}/images.list -DSOURCES=${TRV_SKIN_DIR}/src
                    -DPALETTE=${palette} -DWORK=${CMAKE_BINARY_DIR}/skins/${folder}/${scale}
                    -DDESTS=${plain},${demo} -DSCALE=${scale} -DRSVG=${TRV_RSVG}
                    -DCONVERT=${TRV_CONVERT} -DMOGRIFY=${TRV_MOGRIFY} -P ${TRV_SKIN_RENDER}
            DEPENDS ${skin_sources} ${palette} ${TRV_SKIN_DIR}/images.list ${TRV_SKIN_RENDER}
            COMMENT "Rendering the ${folder} skin at ${scale} %"
            VERBATIM)
        list(APPEND skin_outputs ${plain_files} ${demo_files})
    endforeach()
endforeach()

add_custom_target(skins ALL DEPENDS ${skin_outputs})
add_dependencies(stage_plain skins)
add_dependencies(stage_demo skins)

# Sizes, opacity, and the DPI label patch against the page it must hide into.
string(REPLACE ";" "," skin_folders_arg "${skin_folders}")
string(REPLACE ";" "," skin_scales_arg "${TRV_SKIN_SCALES}")
add_test(NAME skin_images
    COMMAND ${CMAKE_COMMAND} -DLIST=${TRV_SKIN_DIR}/images.list -DFOLDERS=${skin_folders_arg}
            -DROOTS=${TRV_STAGE_PLAIN_DIR}/Skins,${TRV_STAGE_DEMO_DIR}/Skins
            -DSCALES=${skin_scales_arg} -DCONVERT=${TRV_CONVERT} -DCOMPARE=${TRV_COMPARE}
            -P ${TRV_ROOT}/cmake/skin_check.cmake)
