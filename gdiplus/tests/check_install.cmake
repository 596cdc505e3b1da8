# Installs the gdiplus component into a scratch prefix, then configures,
# builds and runs a small C program that finds it with
# find_package(VellumarkGdiplus) and starts and stops the library.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_SOURCE=... -DGENERATOR=...
#         -DSANITIZE=ON|OFF -P check_install.cmake

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
    endif()
endfunction()

run("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --component gdiplus --prefix "${prefix}")

# A sanitized library needs the sanitizer runtime in the program that loads it.
set(flags "")
if(SANITIZE)
    set(flags "-fsanitize=address,undefined")
endif()
run("${CMAKE_COMMAND}" -S "${CONSUMER_SOURCE}" -B "${WORK_DIR}/build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_EXE_LINKER_FLAGS=${flags}")
run("${CMAKE_COMMAND}" --build "${WORK_DIR}/build")
run("${WORK_DIR}/build/consumer")
