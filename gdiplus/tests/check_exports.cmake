# Compares the dynamic symbols the library defines with the functions its
# public headers declare (lines that start with GDIPAPI): the flat API's
# header and, when given, the header of its GDI calls. Fails with the
# differences listed.
#   cmake -DLIBRARY=... -DHEADER=... [-DGDI_HEADER=...] -DNM=... -P check_exports.cmake

file(STRINGS "${HEADER}" declarations REGEX "^GDIPAPI ")
if(GDI_HEADER)
    file(STRINGS "${GDI_HEADER}" gdi_declarations REGEX "^GDIPAPI ")
    list(APPEND declarations ${gdi_declarations})
endif()
set(declared "")
foreach(line IN LISTS declarations)
    if(line MATCHES "([A-Za-z_][A-Za-z0-9_]*)\\(")
        list(APPEND declared "${CMAKE_MATCH_1}")
    endif()
endforeach()
list(SORT declared)
list(LENGTH declared declared_count)
if(declared_count EQUAL 0)
    message(FATAL_ERROR "no GDIPAPI declarations found in ${HEADER}")
endif()

execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}"
    OUTPUT_VARIABLE symbols RESULT_VARIABLE nm_result)
if(NOT nm_result EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" symbol_lines "${symbols}")
set(exported "")
foreach(line IN LISTS symbol_lines)
    # "address type name"; the linker's own markers (_init, _fini, _edata,
    # __bss_start, _end) are not ours.
    if(line MATCHES "^[0-9a-fA-F]+ [A-Za-z] ([^ @]+)")
        set(name "${CMAKE_MATCH_1}")
        if(NOT name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$")
            list(APPEND exported "${name}")
        endif()
    endif()
endforeach()
list(SORT exported)

if(NOT declared STREQUAL exported)
    set(missing ${declared})
    list(REMOVE_ITEM missing ${exported})
    set(extra ${exported})
    list(REMOVE_ITEM extra ${declared})
    message(FATAL_ERROR "exports differ from the header\n"
        "declared but not exported: ${missing}\n"
        "exported but not declared: ${extra}")
endif()
message(STATUS "${declared_count} functions declared and exported")
