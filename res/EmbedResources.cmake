# Writes a C++ source that embeds every *.rc and *.svg file of RESOURCE_DIR as a byte array and
# defines the module's resource table. Run as: cmake -DRESOURCE_DIR=... -DOUTPUT=... -P this.
file(GLOB files ${RESOURCE_DIR}/*.rc ${RESOURCE_DIR}/*.svg)
list(SORT files)

set(arrays "")
set(entries "")
set(index 0)
foreach(path IN LISTS files)
    get_filename_component(name ${path} NAME)
    get_filename_component(extension ${path} LAST_EXT)
    if(extension STREQUAL ".rc")
        set(type "RC")
    else()
        set(type "SVG")
    endif()
    file(READ ${path} hex HEX)
    string(LENGTH "${hex}" hexLength)
    math(EXPR size "${hexLength} / 2")
    # Every byte as a \xHH escape, in string literals of 32 bytes (an escape never runs on into
    # the next character, which is always another backslash or the closing quote).
    set(literal "")
    set(offset 0)
    while(offset LESS hexLength)
        string(SUBSTRING "${hex}" ${offset} 64 chunk)
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" chunk "${chunk}")
        string(APPEND literal "    \"${chunk}\"\n")
        math(EXPR offset "${offset} + 64")
    endwhile()
    if(literal STREQUAL "")
        set(literal "    \"\"\n")
    endif()
    string(APPEND arrays "// ${name}\nconst char resource${index}[] =\n${literal};\n\n")
    string(APPEND entries "    {\"${type}\", 0, resource${index}, ${size}ul, \"${name}\"},\n")
    math(EXPR index "${index} + 1")
endforeach()

set(content "// Generated from the module's res/ folder by EmbedResources.cmake: do not edit.
#include \"afxmodule.h\"

namespace {

${arrays}const VeldResourceEntry entries[] = {
${entries}};

const VeldResourceTable table{entries, sizeof(entries) / sizeof(entries[0])};

} // namespace

extern \"C\" const VeldResourceTable* veldModuleResourceTable() { return &table; }
")

# Rewrite only on change, so that the module is not rebuilt for nothing.
file(WRITE ${OUTPUT}.new "${content}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
