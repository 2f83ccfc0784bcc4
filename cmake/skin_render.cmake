# Renders every image of one skin (cmake -P). Each SVG source gets its
# "@INCLUDE part@" lines replaced by the files they name, then every @NAME@ by
# an image variable or a palette colour, then every @=expression@ (integers
# and variable names) by its value; anything still between @ signs is an
# error, so a misspelt colour cannot render black. A PNG source is cropped
# instead. All images end up opaque 24-bit PNGs, copied to every folder of
# DESTS. One process per skin and scale rather than per image keeps the
# render fast.
#
# SCALE is a display scale in percent. Every image is rendered at
# round(size * SCALE / 100), rounded half up as the program scales the page,
# and stretched to exactly that size (rsvg-convert's --zoom rounds up); a
# crop's offset is scaled the same way. Images of a scale other than 100 go
# to the folder's @<SCALE> subfolder.
#
#   -DLIST=images.list -DSOURCES=<dir> -DPALETTE=<file> -DWORK=<dir>
#   -DDESTS=<dir>[,<dir>...] -DSCALE=<percent> -DRSVG= -DCONVERT= -DMOGRIFY=
cmake_minimum_required(VERSION 3.25)

if(NOT SCALE)
    set(SCALE 100)
endif()
# A length at the scale, rounded half up.
function(scaled out value)
    math(EXPR result "(${value} * ${SCALE} + 50) / 100")
    set(${out} ${result} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

file(STRINGS "${PALETTE}" palette REGEX "^[A-Z_]+[ \t]+#[0-9a-fA-F]+")
file(STRINGS "${LIST}" images REGEX "^[^#]")

# No time stamps or other ancillary chunks, so that a render is reproducible
# and no gamma chunk can shift colours in a decoder that honours it.
set(png_options -alpha off -define png:exclude-chunk=all -define png:color-type=2 -define png:bit-depth=8)

function(expand_svg source out_svg)
    file(READ "${source}" svg)
    while(svg MATCHES "@INCLUDE ([A-Za-z0-9_.-]+)@")
        set(part "${CMAKE_MATCH_1}")
        file(READ "${SOURCES}/${part}" text)
        string(REPLACE "@INCLUDE ${part}@" "${text}" svg "${svg}")
    endwhile()

    foreach(name IN LISTS names)
        string(REPLACE "@${name}@" "${value_${name}}" svg "${svg}")
    endforeach()
    foreach(line IN LISTS palette)
        string(REGEX MATCH "^([A-Z_]+)[ \t]+(#[0-9a-fA-F]+)" _ "${line}")
        string(REPLACE "@${CMAKE_MATCH_1}@" "${CMAKE_MATCH_2}" svg "${svg}")
    endforeach()

    while(svg MATCHES "@=([-+*/() 0-9A-Z_]+)@")
        set(expression "${CMAKE_MATCH_1}")
        set(arithmetic "${expression}")
        foreach(name IN LISTS names)
            while(arithmetic MATCHES "(^|[^A-Z_])${name}([^A-Z_]|$)")
                string(REGEX REPLACE "(^|[^A-Z_])${name}([^A-Z_]|$)" "\\1${value_${name}}\\2"
                       arithmetic "${arithmetic}")
            endwhile()
        endforeach()
        math(EXPR result "${arithmetic}")
        string(REPLACE "@=${expression}@" "${result}" svg "${svg}")
    endwhile()

    if(svg MATCHES "@[^@ \"<>]*@")
        message(FATAL_ERROR "${source}: nothing replaces ${CMAKE_MATCH_0}")
    endif()
    file(WRITE "${out_svg}" "${svg}")
endfunction()

set(rendered "")
set(crops "")
foreach(line IN LISTS images)
    string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
    list(POP_FRONT fields file source width height)
    set(names W H)
    set(value_W ${width})
    set(value_H ${height})
    set(crop "")
    foreach(var IN LISTS fields)
        if(NOT var MATCHES "^([A-Z_]+)=(.*)$")
            message(FATAL_ERROR "${LIST}: bad variable '${var}' of ${file}")
        endif()
        if(CMAKE_MATCH_1 STREQUAL "CROP")
            set(crop "${CMAKE_MATCH_2}")
        else()
            list(APPEND names ${CMAKE_MATCH_1})
            set(value_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
        endif()
    endforeach()

    if(source MATCHES "\\.png$")
        # Cropped once every SVG is rendered, since the source is one of them.
        string(REPLACE "," ";" offset "${crop}")
        list(GET offset 0 crop_x)
        list(GET offset 1 crop_y)
        scaled(crop_x ${crop_x})
        scaled(crop_y ${crop_y})
        scaled(crop_w ${width})
        scaled(crop_h ${height})
        list(APPEND crops "${file}|${source}|${crop_w}x${crop_h}+${crop_x}+${crop_y}")
    else()
        expand_svg("${SOURCES}/${source}" "${WORK}/${file}.svg")
        scaled(render_w ${width})
        scaled(render_h ${height})
        execute_process(COMMAND "${RSVG}" -w ${render_w} -h ${render_h} -o "${WORK}/${file}"
                                "${WORK}/${file}.svg"
                        RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "rendering ${WORK}/${file}.svg failed")
        endif()
        list(APPEND rendered "${WORK}/${file}")
    endif()
endforeach()

execute_process(COMMAND "${MOGRIFY}" ${png_options} ${rendered} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "making the images of ${WORK} opaque failed")
endif()

foreach(entry IN LISTS crops)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 source)
    list(GET entry 2 geometry)
    execute_process(COMMAND "${CONVERT}" "${WORK}/${source}" -crop "${geometry}" +repage ${png_options}
                            "PNG24:${WORK}/${file}"
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "cropping ${file} from ${source} failed")
    endif()
endforeach()

# The dialogs draw their own lists and fields; they read these colours of
# the skin from colours.ini beside its images.
function(palette_colour name out)
    foreach(line IN LISTS palette)
        if(line MATCHES "^${name}[ \t]+(#[0-9a-fA-F]+)")
            set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "${PALETTE}: no colour ${name}")
endfunction()
set(dialog_colours
    field=FIELD field_text=FIELD_TEXT selection=ACCENT selection_text=BG border=CONTROL_EDGE
    caption=ACCENT)
set(ini "; The assignment dialogs' colours, written from the skin's palette.\n[dialog]\n")
foreach(pair IN LISTS dialog_colours)
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 key)
    list(GET pair 1 name)
    palette_colour(${name} colour)
    string(APPEND ini "${key}=${colour}\n")
endforeach()
file(WRITE "${WORK}/colours.ini" "${ini}")

string(REPLACE "," ";" dests "${DESTS}")
foreach(dest IN LISTS dests)
    if(NOT SCALE EQUAL 100)
        set(dest "${dest}/@${SCALE}")
    endif()
    file(MAKE_DIRECTORY "${dest}")
    foreach(line IN LISTS images)
        string(REGEX MATCH "^[^ \t]+" file "${line}")
        file(COPY_FILE "${WORK}/${file}" "${dest}/${file}")
    endforeach()
    # The colours are the skin's at every scale: one file beside the 100 % images.
    if(SCALE EQUAL 100)
        file(COPY_FILE "${WORK}/colours.ini" "${dest}/colours.ini")
    endif()
endforeach()
