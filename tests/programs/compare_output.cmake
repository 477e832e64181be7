# Runs the batch driver on one program and compares what it prints with the
# recorded output: standard output with EXPECTED.out, and the messages on
# standard error with EXPECTED.err when that file exists.
foreach(var BATCH PROGRAM STEPS EXPECTED)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "compare_output.cmake needs -D${var}=...")
    endif()
endforeach()

# INPUTS, when given, is the two bytes of --inputs separated by a blank.
set(inputs)
if(DEFINED INPUTS)
    separate_arguments(inputs UNIX_COMMAND "--inputs ${INPUTS}")
endif()

execute_process(
    COMMAND ${BATCH} ${inputs} --steps ${STEPS} ${PROGRAM}
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "mirelsim-batch ended with ${status}: ${err}")
endif()

function(compare what actual file)
    file(READ ${file} expected)
    if(NOT actual STREQUAL expected)
        get_filename_component(name ${file} NAME)
        set(got ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
        file(WRITE ${got} "${actual}")
        message(FATAL_ERROR "${what} differs from ${file}; got ${got}")
    endif()
endfunction()

compare("standard output" "${out}" ${EXPECTED}.out)
if(EXISTS ${EXPECTED}.err)
    compare("standard error" "${err}" ${EXPECTED}.err)
elseif(NOT err STREQUAL "")
    message(FATAL_ERROR "unexpected messages: ${err}")
endif()
