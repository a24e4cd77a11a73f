# Drives the vellum tool as a user would: the demo, info in both forms, render in the three
# formats, and wrong input that must fail with one line, a non-zero status and no output file.

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
# The tool stores the default overlay font at start, as a host does: not in the user's file.
set(ENV{VELLUM_SETTINGS} ${WORK_DIR}/settings.ini)

function(expect_success)
    execute_process(COMMAND ${VELLUM} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "vellum ${ARGN} failed (${result}): ${err}")
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()

function(expect_failure expected_text output)
    execute_process(COMMAND ${VELLUM} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(result EQUAL 0)
        message(FATAL_ERROR "vellum ${ARGN} should have failed")
    endif()
    string(STRIP "${err}" err)
    if(NOT err MATCHES "${expected_text}" OR err MATCHES "\n")
        message(FATAL_ERROR "vellum ${ARGN}: expected one line matching '${expected_text}', got '${err}'")
    endif()
    if(EXISTS "${output}")
        message(FATAL_ERROR "vellum ${ARGN} wrote ${output} although it failed")
    endif()
endfunction()

expect_success(demo -o ${WORK_DIR}/demo)
foreach(file sample.png demo.vla demo.png)
    if(NOT EXISTS ${WORK_DIR}/demo/${file})
        message(FATAL_ERROR "the demo did not write ${file}")
    endif()
endforeach()

expect_success(info ${WORK_DIR}/demo/demo.vla)
if(NOT last_output MATCHES "group 0x0020 \\(drawings\\): 7 items"
   OR NOT last_output MATCHES "group 0x0004 \\(density\\): 1 item"
   OR NOT last_output MATCHES "polyline  CGrPolyLine +class 0x0020 colour #00C8FF width 2 nodes \\(125, 205\\)")
    message(FATAL_ERROR "unexpected info output:\n${last_output}")
endif()
if(NOT last_output MATCHES "text +CGraphicText +class 0x0010 colour #FFFFA0[^\n]*\n +font \"Arial\" Regular 11 pt colour #FFFFA0 angle 10°, 2 lines\n +\\| Proprietà:\n +\\| perché cresce\\?\n"
   OR NOT last_output MATCHES "label +CGraphicTextLine class 0x0008[^\n]*\n +font \"Arial\" Regular 10 pt colour #00FF00, 1 line\n +\\| 12\\.35 mm\n")
    message(FATAL_ERROR "the demo's text box and label are not listed:\n${last_output}")
endif()
expect_success(info ${WORK_DIR}/demo/demo.vla --json)
if(NOT last_output MATCHES "\"kind\":\"text\",[^}]*\"font\":\\{\"face\":\"Arial\",\"style\":\"Regular\",\"size\":11,\"colour\":\"#FFFFA0\"\\},\"angle\":10,\"lines\":\\[\"Proprietà:\",\"perché cresce\\?\"\\]")
    message(FATAL_ERROR "unexpected JSON for the text box:\n${last_output}")
endif()
if(NOT last_output MATCHES "^\\{\"file\":.*\"groups\":\\[.*\\{\"key\":32,.*\"kind\":\"line\""
   OR NOT last_output MATCHES "\\{\"key\":8,.*\"kind\":\"distance\""
   OR NOT last_output MATCHES "\\{\"key\":4,.*\"kind\":\"density-line\""
   OR NOT last_output MATCHES "\\{\"key\":1,.*\"kind\":\"symbol\"")
    message(FATAL_ERROR "unexpected JSON:\n${last_output}")
endif()

foreach(extension png pdf svg)
    expect_success(render ${WORK_DIR}/demo/demo.vla --image ${WORK_DIR}/demo/sample.png
                   --zoom 2 --types 0x20 -o ${WORK_DIR}/out.${extension})
    file(SIZE ${WORK_DIR}/out.${extension} size)
    if(size LESS 100)
        message(FATAL_ERROR "render wrote an empty ${extension}")
    endif()
endforeach()

# Without --types the tool shows every class, the density line included, which a list just
# loaded would hide (it shows 0x0039).
foreach(types all 0xFFFF 0x0039)
    set(mask --types ${types})
    if(types STREQUAL "all")
        set(mask)
    endif()
    expect_success(render ${WORK_DIR}/demo/demo.vla --image ${WORK_DIR}/demo/sample.png ${mask}
                   -o ${WORK_DIR}/types-${types}.png)
    file(SHA256 ${WORK_DIR}/types-${types}.png hash-${types})
endforeach()
if(NOT hash-all STREQUAL hash-0xFFFF OR hash-all STREQUAL hash-0x0039)
    message(FATAL_ERROR "render without --types does not show every class")
endif()

expect_success(gamma ${WORK_DIR}/demo/sample.png --p 0.2 -o ${WORK_DIR}/gamma.pgm)
if(NOT last_output MATCHES "gamma 0\\.503956\nwindow lower 40 width 101\nmean before 82\\.582 after 66\\.192")
    message(FATAL_ERROR "unexpected gamma output:\n${last_output}")
endif()
# p is the brightness alone: a higher p never gives a darker result while the search accepts
# its gamma (it prints 1.0 when it does not), and the window's lower end stays at the darkest
# level unless --lower-fraction raises it.
set(previous_mean -1)
foreach(p 0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1)
    expect_success(gamma ${WORK_DIR}/demo/sample.png --p ${p} -o ${WORK_DIR}/gamma-p.pgm)
    string(REGEX MATCH "gamma ([0-9.]+)\nwindow lower ([0-9]+) width [0-9]+\nmean before [0-9.]+ after ([0-9]+)" found "${last_output}")
    if(NOT found OR NOT CMAKE_MATCH_2 EQUAL 40)
        message(FATAL_ERROR "gamma --p ${p}: unexpected output\n${last_output}")
    endif()
    if(NOT CMAKE_MATCH_1 STREQUAL "1.000000")
        if(CMAKE_MATCH_3 LESS_EQUAL previous_mean)
            message(FATAL_ERROR "gamma --p ${p} gives mean ${CMAKE_MATCH_3}, not above ${previous_mean}")
        endif()
        set(previous_mean ${CMAKE_MATCH_3})
    endif()
endforeach()
if(previous_mean LESS 180)
    message(FATAL_ERROR "gamma: the brightest accepted p reached only mean ${previous_mean}")
endif()
expect_success(gamma ${WORK_DIR}/demo/sample.png --p 0.5 --lower-fraction 0.5 -o ${WORK_DIR}/gamma-p.pgm)
if(NOT last_output MATCHES "window lower 90 width 51\n")
    message(FATAL_ERROR "gamma --lower-fraction 0.5: unexpected window\n${last_output}")
endif()
expect_failure("--lower-fraction must be between 0 and 1" ${WORK_DIR}/never.pgm
               gamma ${WORK_DIR}/demo/sample.png --lower-fraction 1.5 -o ${WORK_DIR}/never.pgm)

file(READ ${WORK_DIR}/gamma.pgm header LIMIT 15)
if(NOT header MATCHES "^P5\n400 300\n255\n")
    message(FATAL_ERROR "the corrected image is not an 8-bit PGM of the same size: ${header}")
endif()
expect_success(gamma ${WORK_DIR}/demo/sample.png --p 0.9 --window --low-cut 0.01 --high-cut 0.01
               -o ${WORK_DIR}/gamma-window.png)

expect_success(replay ${EXAMPLE_SCRIPT} -o ${WORK_DIR}/replay.png --frames ${WORK_DIR}/frames)
if(NOT last_output MATCHES "28 frames")
    message(FATAL_ERROR "unexpected replay output:\n${last_output}")
endif()
expect_success(info ${WORK_DIR}/replay.vla)
if(NOT last_output MATCHES "group 0x0020 \\(drawings\\): 2 items")
    message(FATAL_ERROR "the replayed session did not store a line and a polyline:\n${last_output}")
endif()
# A text box drawn with action 5; its editor gets the text that the script types. No user
# settings: the default font.
set(ENV{VELLUM_SETTINGS} ${WORK_DIR}/no-settings.ini)
file(WRITE ${WORK_DIR}/text-script.txt
     "image 160 100\norigin 10 10\nzoom 2\naction text\ntype Proprietà\\nperché no?\n"
     "down 40 40\nmove 200 120\nup 200 120\n")
expect_success(replay ${WORK_DIR}/text-script.txt -o ${WORK_DIR}/text.png)
expect_success(info ${WORK_DIR}/text.vla)
if(NOT last_output MATCHES "group 0x0010 \\(text\\): 1 item\n +text +CGraphicText +class 0x0010 [^\n]* corners \\(15, 15\\) \\(15, 55\\) \\(95, 55\\) \\(95, 15\\) size 80.00 x 40.00 px\n[^\n]*2 lines\n +\\| Proprietà\n +\\| perché no\\?\n")
    message(FATAL_ERROR "the replayed text box is not as typed:\n${last_output}")
endif()
get_filename_component(docs_dir ${EXAMPLE_SCRIPT} DIRECTORY)
# New items take the user's defaults: none here, so they are green and one pixel wide.
set(ENV{VELLUM_SETTINGS} ${WORK_DIR}/no-settings.ini)
expect_success(replay ${docs_dir}/replay-rectangles.txt -o ${WORK_DIR}/rectangles.png)
if(NOT last_output MATCHES "line 21: popup menu at \\(300, 80\\): \"Taglia immagine\" \\(49501\\)")
    message(FATAL_ERROR "no cropping menu on the selection:\n${last_output}")
endif()
expect_success(info ${WORK_DIR}/rectangles.vla)
if(NOT last_output MATCHES "rectangle CGraphicRect +class 0x0020 colour #00FF00 width 1 corners \\(20, 25\\) \\(20, 90\\) \\(115, 90\\) \\(115, 25\\) size 95.00 x 65.00 px\n  selection CGraphicSelectionRect")
    message(FATAL_ERROR "the replayed rectangles are not as drawn:\n${last_output}")
endif()
expect_success(info ${WORK_DIR}/rectangles.vla --json)
if(NOT last_output MATCHES "\"kind\":\"rectangle\",.*\"corners\":\\[\\[20,25\\],\\[20,90\\],\\[115,90\\],\\[115,25\\]\\],\"size\":\\[95,65\\]")
    message(FATAL_ERROR "unexpected rectangle JSON:\n${last_output}")
endif()
file(WRITE ${WORK_DIR}/bad-script.txt "zoom 2\ndown 10\n")

set(out ${WORK_DIR}/never.png)
expect_failure("bad-script.txt:2: down takes 2 values" ${out}
               replay ${WORK_DIR}/bad-script.txt -o ${out})
expect_failure("--p must be between 0 and 1" ${out} gamma ${WORK_DIR}/demo/sample.png --p 1.5 -o ${out})
expect_failure("need --window" ${out} gamma ${WORK_DIR}/demo/sample.png --low-cut 0.1 -o ${out})
expect_failure("add up to less than 1" ${out}
               gamma ${WORK_DIR}/demo/sample.png --window --low-cut 0.6 --high-cut 0.5 -o ${out})
expect_failure("demo.vla: not a binary PGM" ${out} gamma ${WORK_DIR}/demo/demo.vla -o ${out})
expect_failure("must end in .pgm or .png" ${WORK_DIR}/never.tif
               gamma ${WORK_DIR}/demo/sample.png -o ${WORK_DIR}/never.tif)
expect_failure("nope.vla: No such file or directory" ${out} render ${WORK_DIR}/nope.vla -o ${out})
expect_failure("sample.png: not a readable item list" ${out}
               render ${WORK_DIR}/demo/sample.png -o ${out})
expect_failure("must end in .png, .pdf or .svg" ${WORK_DIR}/never.jpg
               render ${WORK_DIR}/demo/demo.vla -o ${WORK_DIR}/never.jpg)
expect_failure("--zoom must be above 0" ${out} render ${WORK_DIR}/demo/demo.vla --zoom 0 -o ${out})
expect_failure("--types needs a mask" ${out} render ${WORK_DIR}/demo/demo.vla --types x -o ${out})
expect_failure("unknown command 'bogus'" ${out} bogus)

# Measurements: the documented session calibrates on a known length; values read as the labels
# show them, in a fresh metric settings file.
set(ENV{VELLUM_SETTINGS} ${WORK_DIR}/measure-settings.ini)
get_filename_component(DOCS_DIR ${EXAMPLE_SCRIPT} DIRECTORY)
expect_success(replay ${DOCS_DIR}/measure-example.txt -o ${WORK_DIR}/measure.png)
if(NOT last_output MATCHES "line 15: calibrated to 4 x 4 pixels/mm")
    message(FATAL_ERROR "the measuring session did not calibrate:\n${last_output}")
endif()
expect_success(info ${WORK_DIR}/measure.vla)
if(NOT last_output MATCHES "calibrated, resolution 4 x 4"
   OR NOT last_output MATCHES "distance +CGrPolyDist .* value 25\\.00 mm\n"
   OR NOT last_output MATCHES "nodes \\(20, 60\\) \\(60, 60\\) \\(60, 100\\) length 80\\.00 px value 20\\.00 mm\n"
   OR NOT last_output MATCHES "angle +CGrAngle .* value 45\\.0° \\(315\\.0°\\)\n")
    message(FATAL_ERROR "unexpected measurements:\n${last_output}")
endif()
expect_success(info ${WORK_DIR}/measure.vla --json)
if(NOT last_output MATCHES "\"measurement\":\\{\"text\":\"20\\.00 mm\",\"value\":20,\"unit\":\"mm\",\"calibrated\":true\\}"
   OR NOT last_output MATCHES "\"kind\":\"angle\".*\"value\":45,\"unit\":\"deg\"")
    message(FATAL_ERROR "unexpected measurements in JSON:\n${last_output}")
endif()
file(WRITE ${WORK_DIR}/calibrate-zero.txt
     "action distance\ndown 10 10\nmove 60 10\nup 60 10\ndblclick 60 10\ncalibrate 0\n")
expect_success(replay ${WORK_DIR}/calibrate-zero.txt -o ${WORK_DIR}/calibrate-zero.png)
if(NOT last_output MATCHES "line 6: message box \"Please enter a length greater than 0\\.\"\nline 6: calibration refused")
    message(FATAL_ERROR "a zero length was not refused:\n${last_output}")
endif()
file(WRITE ${WORK_DIR}/calibrate-nothing.txt "calibrate 20\n")
expect_failure("calibrate-nothing.txt:1: calibrate needs a distance drawn or selected" ${out}
               replay ${WORK_DIR}/calibrate-nothing.txt -o ${out})
file(WRITE ${WORK_DIR}/calibrate-empty.txt "calibrate\n")
expect_failure("calibrate-empty.txt:1: calibrate takes the length the user types" ${out}
               replay ${WORK_DIR}/calibrate-empty.txt -o ${out})
# histogram: a corner of the demo's sample, 50 rows of the gradient 40 + y/5 (no disc), and
# its chart; a line along the top row; what is refused.
expect_success(histogram ${WORK_DIR}/demo/sample.png --rect 0,0,50,50 -o ${WORK_DIR}/chart.png)
if(NOT last_output MATCHES "rect 0,0,50,50\nminimum    40\nmaximum    49\npeak       40 \\(250 pixels\\)\nmean       44\\.50\ndeviation  2\\.50\ncount      2500\n")
    message(FATAL_ERROR "unexpected histogram output:\n${last_output}")
endif()
file(SIZE ${WORK_DIR}/chart.png size)
if(size LESS 1000)
    message(FATAL_ERROR "histogram wrote no chart")
endif()
expect_success(histogram ${WORK_DIR}/demo/sample.png --line -2,0,10,0 --json)
if(NOT last_output MATCHES "\"minimum\":40,\"maximum\":40,\"peak\":40,\"peakCount\":10,\"mean\":33\\.333333,.*\"count\":12,\"note\":\"2 points beyond")
    message(FATAL_ERROR "unexpected histogram JSON:\n${last_output}")
endif()
set(out ${WORK_DIR}/refused.png)
expect_failure("lies outside the 400 x 300 image" ${out}
               histogram ${WORK_DIR}/demo/sample.png --rect 500,0,600,10 -o ${out})
expect_failure("the line has no length" ${out}
               histogram ${WORK_DIR}/demo/sample.png --line 5,5,5.2,5 -o ${out})
expect_failure("needs four numbers" ${out} histogram ${WORK_DIR}/demo/sample.png --rect 1,2,3)
expect_failure("the chart must end in .png" ${WORK_DIR}/chart.svg
               histogram ${WORK_DIR}/demo/sample.png --rect 0,0,5,5 -o ${WORK_DIR}/chart.svg)
# Symbols: the sample library listed in both forms, a replay that places a symbol and draws a
# freehand stroke, and a library that cannot be read.
expect_success(symbols ${WORK_DIR}/lib.vla --make-sample)
expect_success(symbols ${WORK_DIR}/lib.vla)
if(NOT last_output MATCHES "group 0 \"Frecce\": 2 entries\n  \"Freccia\"  15 x 7.5 mm  102 x 50 px  2 items")
    message(FATAL_ERROR "unexpected symbols output:\n${last_output}")
endif()
expect_success(symbols ${WORK_DIR}/lib.vla --json)
if(NOT last_output MATCHES "\"name\":\"Croce\",\"info\":\"Punto di repere\",\"width_mm\":8,\"height_mm\":8,\"width_px\":102,\"height_px\":102,\"items\":2,\"hidden\":false")
    message(FATAL_ERROR "unexpected symbols JSON:\n${last_output}")
endif()
expect_success(replay ${SYMBOL_SCRIPT} --library ${WORK_DIR}/lib.vla -o ${WORK_DIR}/symbols.png)
expect_success(info ${WORK_DIR}/symbols.vla)
if(NOT last_output MATCHES "group 0x0001 \\(symbols\\): 2 items\n  symbol +CGraphicSymbol class 0x0001 colour #00FF00 width 1 corners \\(64, 44\\) \\(64, 92\\) \\(112, 92\\) \\(112, 44\\)"
   OR NOT last_output MATCHES "freehand +CGraphicFreeDraw class 0x0020")
    message(FATAL_ERROR "unexpected replayed symbols:\n${last_output}")
endif()
file(WRITE ${WORK_DIR}/empty.vla "")
expect_failure("empty.vla: not a readable item list" ${WORK_DIR}/none.png
               symbols ${WORK_DIR}/empty.vla)

# Damaged inputs, every one through every command that reads its kind: one line on standard
# error naming the file, a non-zero status and no output file.
set(bad ${CMAKE_CURRENT_LIST_DIR}/malformed)
set(out ${WORK_DIR}/damaged.png)
file(WRITE ${WORK_DIR}/no-image-line.txt "action line\ndown 1 1\nmove 1000000 -1000000\nup 5 5\n")
foreach(list truncated-list unknown-class huge-count text)
    set(path ${bad}/${list}.vla)
    expect_failure("^vellum info: ${path}: not a" ${out} info ${path})
    expect_failure("^vellum info: ${path}: not a" ${out} info ${path} --json)
    expect_failure("^vellum render: ${path}: not a" ${out} render ${path} -o ${out})
    expect_failure("^vellum symbols: ${path}: not a" ${out} symbols ${path})
    expect_failure("^vellum replay: ${path}: not a" ${out}
                   replay ${WORK_DIR}/no-image-line.txt --library ${path} -o ${out})
endforeach()
foreach(image truncated.png truncated.pgm zero-maxval.pgm huge.pgm truncated.dcm)
    set(path ${bad}/${image})
    expect_failure("^vellum image: ${path}: " ${out} image ${path})
    expect_failure("^vellum gamma: ${path}: " ${WORK_DIR}/damaged.pgm
                   gamma ${path} -o ${WORK_DIR}/damaged.pgm)
    expect_failure("^vellum histogram: ${path}: " ${out} histogram ${path} --rect 0,0,1,1 -o ${out})
    expect_failure("^vellum render: ${path}: " ${out}
                   render ${WORK_DIR}/demo/demo.vla --image ${path} -o ${out})
    expect_failure("^vellum replay: ${path}: " ${out}
                   replay ${WORK_DIR}/no-image-line.txt --image ${path} -o ${out})
endforeach()
# Each script with the line and the words of its error; control bytes are shown escaped.
foreach(script "unknown-verb|3|unknown command 'jump'" "unclosed-quote|1|no closing quote"
               "bad-number|2|'1000001' is not a value for down" "view-after-event|2|before the first"
               "zoom-zero|1|zoom must be above 0" "binary|1|unknown command '.x00.x01.x02")
    string(REPLACE "|" ";" fields "${script}")
    list(GET fields 0 name)
    list(GET fields 1 line)
    list(GET fields 2 words)
    expect_failure("^vellum replay: ${bad}/${name}.txt:${line}: [^\n]*${words}" ${out}
                   replay ${bad}/${name}.txt -o ${out})
endforeach()
# A settings file full of garbage is read as far as it makes sense, as the original read it:
# "red,,,,258" is red 0 (not a number) and green 258 & 0xFF; "-7e99" is the integer -7.
file(COPY ${bad}/garbage.ini DESTINATION ${WORK_DIR})
set(ENV{VELLUM_SETTINGS} ${WORK_DIR}/garbage.ini)
expect_success(replay ${DOCS_DIR}/measure-example.txt -o ${WORK_DIR}/garbage-settings.png)
expect_success(info ${WORK_DIR}/garbage-settings.vla)
if(NOT last_output MATCHES "distance +CGrPolyDist +class 0x0008 colour #000200 width -7 .* value 25\\.00 mm\n")
    message(FATAL_ERROR "garbage settings were not read as far as they make sense:\n${last_output}")
endif()
# Without a view line the view is the zoomed image with the origin as margin all round: 32767
# pixels across is the most it may be.
file(WRITE ${WORK_DIR}/widest-view.txt "image 101 10\norigin 16333 0\ndown 1 1\n")
expect_success(replay ${WORK_DIR}/widest-view.txt -o ${WORK_DIR}/widest-view.png)
file(WRITE ${WORK_DIR}/too-wide-view.txt "image 102 10\norigin 16333 0\ndown 1 1\n")
expect_failure("too-wide-view.txt:3: the view would be empty or larger than 32767 pixels" ${out}
               replay ${WORK_DIR}/too-wide-view.txt -o ${out})
