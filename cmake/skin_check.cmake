# Checks the staged skins (cmake -P): every listed image is there at its size
# and without an alpha channel (a redrawn element must cover its old look
# completely), and the DPI value patch matches the page under every stage
# row's label, since it is drawn there to erase the old label. Each display
# scale of SCALES (percent) is checked in its own subfolder @<scale> (100: the
# folder itself), every size being round(size * scale / 100) rounded half up;
# and the dialogs' colours.ini is there beside the 100 % images with all its
# colours.
#
#   -DLIST=images.list -DFOLDERS=a,b -DROOTS=dir,dir -DSCALES=100,125,...
#   -DCONVERT= -DCOMPARE=
cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" folders "${FOLDERS}")
string(REPLACE "," ";" roots "${ROOTS}")
string(REPLACE "," ";" scales "${SCALES}")
if(NOT scales)
    set(scales 100)
endif()
file(STRINGS "${LIST}" images REGEX "^[^#]")
set(stage_row_tops 315 350 385 420)
set(failures 0)

foreach(root IN LISTS roots)
    foreach(folder IN LISTS folders)
        foreach(scale IN LISTS scales)
            set(dir "${root}/${folder}")
            if(NOT scale EQUAL 100)
                set(dir "${dir}/@${scale}")
            endif()
            set(files "")
            set(expected "")
            foreach(line IN LISTS images)
                string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
                list(GET fields 0 file)
                list(GET fields 2 width)
                list(GET fields 3 height)
                math(EXPR width "(${width} * ${scale} + 50) / 100")
                math(EXPR height "(${height} * ${scale} + 50) / 100")
                list(APPEND files "${dir}/${file}")
                string(APPEND expected "${file} ${width} ${height} srgb\n")
            endforeach()
            execute_process(COMMAND "${CONVERT}" ${files} -format "%f %w %h %[channels]\n" info:
                            OUTPUT_VARIABLE found ERROR_VARIABLE errors)
            if(NOT found STREQUAL expected)
                message(SEND_ERROR "${dir}: expected (file, width, height, channels)\n${expected}found\n${found}${errors}")
                math(EXPR failures "${failures} + 1")
            endif()

            # The dialogs fall back to the default skin's colours without it.
            if(scale EQUAL 100)
                set(colour_lines "")
                if(EXISTS "${dir}/colours.ini")
                    file(STRINGS "${dir}/colours.ini" colour_lines REGEX "^[a-z_]+=#[0-9a-fA-F]+$")
                endif()
                list(LENGTH colour_lines colour_count)
                if(NOT colour_count EQUAL 6)
                    message(SEND_ERROR "${dir}/colours.ini: expected the dialogs' 6 colours, found ${colour_count}")
                    math(EXPR failures "${failures} + 1")
                endif()
            endif()

            # At a fractional scale the rows lie at fractional pixel offsets
            # of the page, so their smoothed edges may differ by a shade
            # (up to 9 % of full scale in both skins); a seam would be more.
            set(patch_fuzz "")
            math(EXPR fraction "${scale} % 100")
            if(NOT fraction EQUAL 0)
                set(patch_fuzz -fuzz 10%)
            endif()
            math(EXPR patch_x "(322 * ${scale} + 50) / 100")
            math(EXPR patch_w "(74 * ${scale} + 50) / 100")
            math(EXPR patch_h "(16 * ${scale} + 50) / 100")
            foreach(top IN LISTS stage_row_tops)
                math(EXPR patch_y "(${top} * ${scale} + 50) / 100")
                execute_process(COMMAND "${COMPARE}" -metric AE ${patch_fuzz} "${dir}/BK-DPI.png"
                                        "${dir}/BasicSet2.png[${patch_w}x${patch_h}+${patch_x}+${patch_y}]" null:
                                RESULT_VARIABLE rc ERROR_VARIABLE differing)
                if(NOT rc EQUAL 0)
                    message(SEND_ERROR "${dir}: BK-DPI.png differs from the page at row ${top} (${differing} pixels)")
                    math(EXPR failures "${failures} + 1")
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} skin check(s) failed")
endif()
