# Installs the build tree into a scratch DESTDIR and checks the result.
#
# cmake -D BUILD_DIR=… -D DESTDIR=… -D PREFIX=/usr -D APP_ID=… -D ICON_NAME=…
#       -D EXPECTED="bin/tellumo;share/…" [-D APPSTREAMCLI=…] -P CheckInstall.cmake
#
# Fails when an expected file is missing or empty, when anything else is
# installed, when a hicolor PNG is not the size of its folder, or when the
# desktop entry and the metainfo do not point at the program, its icon and
# each other.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR DESTDIR PREFIX APP_ID ICON_NAME EXPECTED)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CheckInstall.cmake: ${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${DESTDIR}")
set(ENV{DESTDIR} "${DESTDIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(root "${DESTDIR}${PREFIX}")
set(problems "")

foreach(path IN LISTS EXPECTED)
    if(NOT EXISTS "${root}/${path}")
        string(APPEND problems "missing: ${path}\n")
        continue()
    endif()
    file(SIZE "${root}/${path}" size)
    if(size EQUAL 0)
        string(APPEND problems "empty: ${path}\n")
    endif()
    # hicolor/<n>x<n>/… must hold an n × n picture: read the PNG header.
    if(path MATCHES "/hicolor/([0-9]+)x([0-9]+)/.*\\.png$")
        set(want "${CMAKE_MATCH_1}x${CMAKE_MATCH_2}")
        file(READ "${root}/${path}" header LIMIT 24 HEX)
        string(SUBSTRING "${header}" 0 16 signature)
        string(SUBSTRING "${header}" 32 8 width_hex)
        string(SUBSTRING "${header}" 40 8 height_hex)
        math(EXPR width "0x${width_hex}")
        math(EXPR height "0x${height_hex}")
        if(NOT signature STREQUAL "89504e470d0a1a0a")
            string(APPEND problems "not a PNG: ${path}\n")
        elseif(NOT "${width}x${height}" STREQUAL want)
            string(APPEND problems "${path} is ${width}x${height}, not ${want}\n")
        endif()
    endif()
endforeach()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${root}" "${DESTDIR}/*")
foreach(path IN LISTS installed)
    if(NOT path IN_LIST EXPECTED)
        string(APPEND problems "not expected: ${path}\n")
    endif()
endforeach()

set(desktop "${root}/share/applications/${APP_ID}.desktop")
if(EXISTS "${desktop}")
    file(STRINGS "${desktop}" lines)
    foreach(key_value "Exec=tellumo" "Icon=${ICON_NAME}")
        if(NOT key_value IN_LIST lines)
            string(APPEND problems "desktop entry lacks ${key_value}\n")
        endif()
    endforeach()
endif()

set(metainfo "${root}/share/metainfo/${APP_ID}.metainfo.xml")
if(EXISTS "${metainfo}")
    file(READ "${metainfo}" xml)
    foreach(element "<id>${APP_ID}</id>"
                    "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
                    "<binary>tellumo</binary>")
        string(FIND "${xml}" "${element}" at)
        if(at EQUAL -1)
            string(APPEND problems "metainfo lacks ${element}\n")
        endif()
    endforeach()
    if(xml MATCHES "@[A-Z_]+@")
        string(APPEND problems "metainfo has an unfilled value: ${CMAKE_MATCH_0}\n")
    endif()
endif()

# The software centres' own check of the installed tree: metainfo, desktop
# entry and icons together.
if(APPSTREAMCLI AND NOT problems)
    execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net "${root}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        string(APPEND problems "appstreamcli validate-tree:\n${output}\n")
    endif()
endif()

if(problems)
    message(FATAL_ERROR "install check failed:\n${problems}")
endif()
list(LENGTH EXPECTED count)
message(STATUS "install check: ${count} files in place under ${root}")
