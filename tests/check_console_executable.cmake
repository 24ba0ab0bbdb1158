# quorvelin-trame.exe is a console program that runs on any Windows: it imports only DLLs that
# every Windows has, so it is one file to copy.
# Usage: cmake -DOBJDUMP=<objdump> -DEXE=<quorvelin-trame.exe> -P check_console_executable.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/SystemImports.cmake)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
if(NOT dump MATCHES "Subsystem[ \t]+00000003")
    message(FATAL_ERROR "${EXE} is not a console program")
endif()
check_system_imports(${EXE} "${dump}" KERNEL32.dll msvcrt.dll SHELL32.dll)
message(STATUS "${EXE}: console program; imports ${imports}")
