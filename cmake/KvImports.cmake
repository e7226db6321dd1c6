# Windows programs that run on Windows XP SP3 and need no DLL but Windows' own.
#
# kv_check_imports(target...) links the GetTickCount64 stand-in of
# core/win32/xp_compat.c into each program (the static threading runtime
# imports that Vista function otherwise) and adds the program to the tree's
# import check. tests/imports/CMakeLists.txt, added last, calls it for every
# program and DLL of the tree and defines the check itself, so a new program
# needs nothing; a target with the property KV_SKIP_IMPORT_CHECK is left out.
include_guard(GLOBAL)

set(KV_IMPORTS_TOOLS "${CMAKE_CURRENT_LIST_DIR}/../tests/imports")

add_library(kvxpcompat OBJECT "${CMAKE_CURRENT_LIST_DIR}/../core/win32/xp_compat.c")
target_include_directories(kvxpcompat PRIVATE "${CMAKE_CURRENT_LIST_DIR}/..")

function(kv_check_imports)
    foreach(target IN LISTS ARGN)
        get_target_property(already ${target} KV_IMPORTS_CHECKED)
        if(already)
            continue()
        endif()
        set_target_properties(${target} PROPERTIES KV_IMPORTS_CHECKED TRUE)
        # As sources rather than a link item: target_link_libraries would have
        # to match the keyword style of the target's own calls.
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:kvxpcompat>)
        set_property(GLOBAL APPEND PROPERTY KV_IMPORT_CHECKED_FILES "$<TARGET_FILE:${target}>")
    endforeach()
endfunction()

# Every executable and DLL defined in dir and the folders below it.
function(kv_collect_programs dir out)
    set(programs)
    get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        get_target_property(skip ${target} KV_SKIP_IMPORT_CHECK)
        get_target_property(excluded ${target} EXCLUDE_FROM_ALL)
        if(type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$" AND NOT skip AND NOT excluded)
            list(APPEND programs ${target})
        endif()
    endforeach()
    get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        kv_collect_programs("${subdir}" below)
        list(APPEND programs ${below})
    endforeach()
    set(${out} ${programs} PARENT_SCOPE)
endfunction()

# The tree's objdump and architecture, as the check script wants them.
function(kv_import_check_tools objdump_out arch_out)
    if(CMAKE_OBJDUMP)
        set(objdump "${CMAKE_OBJDUMP}")
    else()
        set(objdump "${KV_MINGW_TRIPLE}-objdump")
    endif()
    set(${objdump_out} "${objdump}" PARENT_SCOPE)
    set(${arch_out} "${CMAKE_SYSTEM_PROCESSOR}" PARENT_SCOPE)
endfunction()
