# SPDX-License-Identifier: GPL-3.0-or-later
# The layers of the source tree, lowest first. A file may include headers of
# its own layer and of the layers below it, never of one above. The layers
# below ui are the core: they include no header of Qt's Gui, Widgets or
# Multimedia modules (they share one include root with the windows, so only
# this check stops that).
#
#   cmake -DSOURCE_DIR=<src> -DQT_UI_HEADER_DIRS=<dirs> -P checklayers.cmake
#
# QT_UI_HEADER_DIRS lists the include folders of those Qt modules, joined by "|".
cmake_minimum_required(VERSION 3.22)

string(REPLACE "|" ";" QT_UI_HEADER_DIRS "${QT_UI_HEADER_DIRS}")

set(layers platform listmaker songdb shell browse ui/desktop ui)
set(core_layers platform listmaker songdb shell browse)

# The layer of a path below SOURCE_DIR, or "" for files at the top (main.cpp).
function(layer_of path out)
    set(layer "")
    foreach(candidate IN LISTS layers)
        string(LENGTH "${candidate}/" length)
        string(SUBSTRING "${path}" 0 ${length} head)
        if(head STREQUAL "${candidate}/")
            set(layer ${candidate})
            break()
        endif()
    endforeach()
    if(layer STREQUAL "" AND path MATCHES "/")
        set(layer "?")
    endif()
    set(${out} "${layer}" PARENT_SCOPE)
endfunction()

set(faults "")
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(source IN LISTS sources)
    layer_of("${source}" own)
    if(own STREQUAL "")
        continue()
    endif()
    if(own STREQUAL "?")
        list(APPEND faults "${source}: lies in no layer")
        continue()
    endif()
    list(FIND layers ${own} own_rank)
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(header "${CMAKE_MATCH_1}")
            if(NOT header MATCHES "/")
                continue() # beside the file itself
            endif()
            layer_of("${header}" theirs)
            list(FIND layers "${theirs}" their_rank)
            if(their_rank LESS 0)
                list(APPEND faults "${source}: includes ${header}, which lies in no layer")
            elseif(their_rank GREATER own_rank)
                list(APPEND faults "${source}: includes ${header} of the higher layer ${theirs}")
            endif()
        elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>" AND own IN_LIST core_layers)
            set(header "${CMAKE_MATCH_1}")
            foreach(dir IN LISTS QT_UI_HEADER_DIRS)
                get_filename_component(module "${dir}" NAME)
                if(EXISTS "${dir}/${header}" OR header MATCHES "^${module}/")
                    list(APPEND faults "${source}: the core includes <${header}> of ${module}")
                    break()
                endif()
            endforeach()
        endif()
    endforeach()
endforeach()

list(LENGTH sources checked)
if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes against the layers:\n${text}")
endif()
message(STATUS "${checked} files keep to their layers")
