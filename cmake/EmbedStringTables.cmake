# cmake -DOUTPUT=file.cpp -DTABLES="a.txt|b.txt" -P EmbedStringTables.cmake
string(REPLACE "|" ";" TABLES "${TABLES}")
set(body "")
set(entries "")
set(n 0)
foreach(table IN LISTS TABLES)
    get_filename_component(name ${table} NAME_WE)
    if(NOT name MATCHES "^([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f])-(.+)$")
        message(FATAL_ERROR "${table}: a string table is named LLLL-tag.txt")
    endif()
    set(language ${CMAKE_MATCH_1})
    set(tag ${CMAKE_MATCH_2})
    file(READ ${table} hex HEX)
    string(LENGTH "${hex}" hexLength)
    math(EXPR size "${hexLength} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND body "static const unsigned char kTable${n}[] = {${bytes}0};\n")
    string(APPEND entries "    {0x${language}, \"${tag}\", kTable${n}, ${size}},\n")
    math(EXPR n "${n} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Generated from resources/strings by EmbedStringTables.cmake; do not edit.
#include \"core/embedded_string_tables.h\"

namespace rpanel {
${body}
const EmbeddedStringTable kEmbeddedStringTables[] = {
${entries}};
const std::size_t kEmbeddedStringTableCount = ${n};
}  // namespace rpanel
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
