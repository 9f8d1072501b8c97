# Checks that every include goes down the layers: platform <- trackquery <- client <- qt <- apps,
# and inside the library contracts <- services <- dialogs, framework <- the two trackers <- server.
# Run as a test: cmake -DSOURCE_DIR=<repo> -P CheckLayers.cmake. Prints each include that goes
# the wrong way and fails when there is one.

# The folders each unit may include from (a unit is a folder of the tree; a prefix ending in "/"
# covers everything below it, one without names a single header).
set(platform_all "platform/")
set(allowed_platform/automation "platform/automation/")
set(allowed_platform/adodb "platform/automation/;platform/adodb/")
set(allowed_platform/windowing "platform/automation/;platform/windowing/")
set(allowed_platform/activebar
    "platform/automation/;platform/windowing/;platform/activebar/")
set(allowed_trackquery/contracts "${platform_all};trackquery/contracts/")
set(allowed_trackquery/services "${platform_all};trackquery/contracts/;trackquery/services/")
set(allowed_trackquery/dialogs
    "${platform_all};trackquery/contracts/;trackquery/services/;trackquery/dialogs/")
set(allowed_trackquery/framework
    "${platform_all};trackquery/contracts/;trackquery/services/;trackquery/framework/")
set(tracker_base
    "${platform_all};trackquery/contracts/;trackquery/services/;trackquery/dialogs/;trackquery/framework/")
set(allowed_trackquery/icmo_tracking "${tracker_base};trackquery/icmo_tracking/")
set(allowed_trackquery/seorder_tracking "${tracker_base};trackquery/seorder_tracking/")
set(allowed_trackquery/server "${platform_all};trackquery/")
# The harness stands above the client's components and the library's entry.
set(allowed_client/headless
    "${platform_all};trackquery/contracts/;trackquery/server/library.h;client/")
set(client_component "${platform_all};trackquery/contracts/;client/")
set(allowed_qt "${platform_all};trackquery/contracts/;client/;qt/")
set(allowed_apps "${platform_all};trackquery/;client/;qt/;apps/")

# The unit of a file: its first two folders under platform/, trackquery/ and client/, the first
# folder elsewhere.
function(unit_of path out)
    string(REGEX MATCH "^(platform|trackquery|client)/[^/]+" unit "${path}")
    if(NOT unit)
        string(REGEX MATCH "^[^/]+" unit "${path}")
    endif()
    set(${out} "${unit}" PARENT_SCOPE)
endfunction()

function(allowed_for unit out)
    if(DEFINED allowed_${unit})
        set(${out} "${allowed_${unit}}" PARENT_SCOPE)
    elseif(unit MATCHES "^client/")
        set(${out} "${client_component}" PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

set(violations 0)
set(checked 0)
foreach(layer platform trackquery client qt apps)
    file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}"
        "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
    foreach(file ${files})
        unit_of("${file}" unit)
        allowed_for("${unit}" allowed)
        file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
        math(EXPR checked "${checked} + 1")
        foreach(line ${includes})
            if(line MATCHES "\"[^\"]*\\.\\./")
                message("${file}: a quoted include reaches out of its folder: ${line}")
                math(EXPR violations "${violations} + 1")
                continue()
            endif()
            if(NOT line MATCHES "<((platform|trackquery|client|qt|apps)/[^>]+)>")
                continue()
            endif()
            set(header "${CMAKE_MATCH_1}")
            set(ok FALSE)
            foreach(prefix ${allowed})
                string(LENGTH "${prefix}" length)
                string(SUBSTRING "${header}" 0 ${length} start)
                if(start STREQUAL prefix)
                    set(ok TRUE)
                    break()
                endif()
            endforeach()
            # No component of the client reaches into the harness that stands above them all.
            if(ok AND header MATCHES "^client/headless/" AND NOT unit MATCHES "^(client/headless|qt|apps)")
                set(ok FALSE)
            endif()
            if(NOT ok)
                message("${file}: ${unit} may not include <${header}>")
                math(EXPR violations "${violations} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

if(checked LESS 100)
    message(FATAL_ERROR "the layer check found only ${checked} sources under ${SOURCE_DIR}")
endif()
if(violations GREATER 0)
    message(FATAL_ERROR "${violations} include(s) go against the layers")
endif()
message("layers: ${checked} sources, every include goes down the layers")
