# The string tables in resources/strings/ (one file a language, named LLLL-tag.txt after the
# Windows language id) are compiled into the program as bytes, so that trailing blanks and
# every other character reach the loader exactly as they stand in the file.

set(RPANEL_STRING_TABLE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedStringTables.cmake)

function(rpanel_embed_string_tables target)
    file(GLOB tables CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/strings/*.txt)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_string_tables.cpp)
    # The list travels as one argument, "|" between the files, so no shell splits it.
    string(REPLACE ";" "|" tableList "${tables}")
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DTABLES=${tableList}
                -P ${RPANEL_STRING_TABLE_SCRIPT}
        DEPENDS ${tables} ${RPANEL_STRING_TABLE_SCRIPT}
        COMMENT "Embedding the string tables"
        VERBATIM)
    target_sources(${target} PRIVATE ${output})
endfunction()
