# Makes one man page: scdoc turns SOURCE into troff, gzip compresses it into PAGE (with no name
# or time stamp in the header, so that the same source gives the same bytes).
get_filename_component(folder ${PAGE} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
string(REGEX REPLACE "\\.gz$" "" troff ${PAGE})
execute_process(COMMAND ${SCDOC} INPUT_FILE ${SOURCE} OUTPUT_FILE ${troff}
                RESULT_VARIABLE scdoc_result)
if(NOT scdoc_result EQUAL 0)
    message(FATAL_ERROR "scdoc failed on ${SOURCE}")
endif()
execute_process(COMMAND gzip -9 -n -f ${troff} RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${troff}")
endif()
