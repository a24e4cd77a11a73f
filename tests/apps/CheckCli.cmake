# Drives the vellum tool as a user would: the demo, info in both forms, render in the three
# formats, and wrong input that must fail with one line, a non-zero status and no output file.

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

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
if(NOT last_output MATCHES "group 0x0020 \\(drawings\\): 5 items"
   OR NOT last_output MATCHES "polyline  CGrPolyLine +class 0x0020 colour #00C8FF width 2 nodes \\(30, 120\\)")
    message(FATAL_ERROR "unexpected info output:\n${last_output}")
endif()
expect_success(info ${WORK_DIR}/demo/demo.vla --json)
if(NOT last_output MATCHES "^\\{\"file\":.*\"groups\":\\[\\{\"key\":32,.*\"kind\":\"line\"")
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

expect_success(gamma ${WORK_DIR}/demo/sample.png --p 0.2 -o ${WORK_DIR}/gamma.pgm)
if(NOT last_output MATCHES "gamma 0\\.458829\nwindow lower 40 width 103\nmean before 85\\.175 after 65\\.918")
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
if(NOT last_output MATCHES "window lower 91 width 52\n")
    message(FATAL_ERROR "gamma --lower-fraction 0.5: unexpected window\n${last_output}")
endif()
expect_failure("--lower-fraction must be between 0 and 1" ${WORK_DIR}/never.pgm
               gamma ${WORK_DIR}/demo/sample.png --lower-fraction 1.5 -o ${WORK_DIR}/never.pgm)

file(READ ${WORK_DIR}/gamma.pgm header LIMIT 15)
if(NOT header MATCHES "^P5\n200 150\n255\n")
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
expect_failure("demo.vla: not a binary PGM \\(P5\\) or PNG image" ${out}
               render ${WORK_DIR}/demo/demo.vla --image ${WORK_DIR}/demo/demo.vla -o ${out})
expect_failure("must end in .png, .pdf or .svg" ${WORK_DIR}/never.jpg
               render ${WORK_DIR}/demo/demo.vla -o ${WORK_DIR}/never.jpg)
expect_failure("--zoom must be above 0" ${out} render ${WORK_DIR}/demo/demo.vla --zoom 0 -o ${out})
expect_failure("--types needs a mask" ${out} render ${WORK_DIR}/demo/demo.vla --types x -o ${out})
expect_failure("unknown command 'bogus'" ${out} bogus)
