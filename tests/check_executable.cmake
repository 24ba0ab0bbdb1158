# The program is one file that runs on any Windows: it imports only DLLs that every Windows
# has (no MinGW runtime to ship), carries its icon, pointing hand, manifest (asking for the
# current common controls) and version record, all tagged French, is aware of Remote Desktop
# hosts, and stays under 1 MiB.
# Usage: cmake -DOBJDUMP=<objdump> -DWINDRES=<windres> -DEXE=<Quorvelin.exe> -P check_executable.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/SystemImports.cmake)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
check_system_imports(${EXE} "${dump}" ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll USER32.dll
                     msvcrt.dll)
execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE resources COMMAND_ERROR_IS_FATAL ANY)
foreach(resource "1 14 /. RT_GROUP_ICON" "\"HANDPOINTER\" 12 /. RT_GROUP_CURSOR" "1 24 /. RT_MANIFEST"
                 "1 VERSIONINFO")
    if(NOT resources MATCHES "\n${resource}")
        message(FATAL_ERROR "${EXE} lacks the resource ${resource}")
    endif()
endforeach()
string(REGEX MATCHALL "\nLANGUAGE [0-9]+, [0-9]+" languages "${resources}")
list(REMOVE_DUPLICATES languages)
if(NOT languages STREQUAL "\nLANGUAGE 12, 1")
    message(FATAL_ERROR "${EXE}'s resources are not all French (1036): ${languages}")
endif()
file(STRINGS ${EXE} controls
     REGEX "name=\"Microsoft\\.Windows\\.Common-Controls\" version=\"6\\.0\\.0\\.0\"")
if(NOT controls)
    message(FATAL_ERROR "${EXE}'s manifest does not ask for the common controls 6")
endif()
# Started on a Remote Desktop host, it gets the system's Windows folder, not a private one.
if(NOT dump MATCHES "TERMINAL_SERVICE_AWARE")
    message(FATAL_ERROR "${EXE} is not marked aware of Remote Desktop hosts (--tsaware)")
endif()
file(SIZE ${EXE} size)
if(size GREATER 1048576)
    message(FATAL_ERROR "${EXE} is ${size} bytes, over 1 MiB")
endif()
message(STATUS "${EXE}: ${size} bytes; imports ${imports}")
