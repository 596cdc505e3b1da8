# Turns picture files into C++ byte arrays, run at build time:
#   cmake -DHEADER=out.h -DSOURCE=out.cpp -DNAMES="a;b" -DFILES="a.jpg;b.jpg" -P embed_assets.cmake
# The header declares, for each name N, `kN` (the bytes) and `kNSize`, so the
# layout table can hold spans over them as constant data.
cmake_minimum_required(VERSION 3.25)

set(header_text "// Generated from app/assets by app/cmake/embed_assets.cmake; do not edit.\n")
string(APPEND header_text "#pragma once\n\n#include <cstddef>\n#include <cstdint>\n\n")
string(APPEND header_text "namespace vellumark::app::assets {\n\n")
set(source_text "// Generated from app/assets by app/cmake/embed_assets.cmake; do not edit.\n")
string(APPEND source_text "#include \"app/assets.h\"\n\nnamespace vellumark::app::assets {\n")

foreach(name file IN ZIP_LISTS NAMES FILES)
    file(READ "${file}" hex HEX)
    string(LENGTH "${hex}" hex_length)
    math(EXPR size "${hex_length} / 2")
    if(size EQUAL 0)
        message(FATAL_ERROR "embed_assets: ${file} is empty")
    endif()
    # Sixteen bytes a line keeps the generated file readable in a debugger.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
    string(APPEND header_text "inline constexpr std::size_t k${name}Size = ${size};\n")
    string(APPEND header_text "extern const std::uint8_t k${name}[k${name}Size];\n\n")
    string(APPEND source_text "\nconst std::uint8_t k${name}[k${name}Size] = {\n    ${bytes}\n};\n")
endforeach()

string(APPEND header_text "} // namespace vellumark::app::assets\n")
string(APPEND source_text "\n} // namespace vellumark::app::assets\n")

# Rewrite only on change so dependants do not rebuild needlessly.
file(CONFIGURE OUTPUT "${HEADER}" CONTENT "${header_text}" @ONLY)
file(CONFIGURE OUTPUT "${SOURCE}" CONTENT "${source_text}" @ONLY)
