# cmake -DPROGRAM=… -DLANGUAGE=en|ja -DOUT=…/kansu.1.gz -DRUNTIME=… -P manpage.cmake
# Writes the manual page the program prints from its own --help text, compressed as Debian
# keeps manual pages (gzip -9n: no name, no time stamp, so each build gives the same bytes).
get_filename_component(dir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
string(REGEX REPLACE "\\.gz$" "" page "${OUT}")
# No display at build time; leak reports of a sanitizer build are not the page's business.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${RUNTIME}
            ASAN_OPTIONS=detect_leaks=0 ${PROGRAM} --lang ${LANGUAGE} --man
    OUTPUT_FILE "${page}"
    RESULT_VARIABLE status)
file(SIZE "${page}" size)
if(NOT status EQUAL 0 OR size EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --man gave status ${status} and ${size} bytes")
endif()
execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${page} failed")
endif()
