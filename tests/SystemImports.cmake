# Reads the DLLs a Windows executable imports into `imports`, from `objdump -p`'s text `dump`,
# and fails unless each is one of the given DLLs, which every Windows has, or an API set of the
# universal C runtime (Windows' own since Windows 10): the executable is then one file to copy.
function(check_system_imports exe dump)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    list(TRANSFORM imports REPLACE "DLL Name: " "")
    if(NOT imports)
        message(FATAL_ERROR "no imports read from ${exe}")
    endif()
    foreach(dll IN LISTS imports)
        if(NOT dll IN_LIST ARGN AND NOT dll MATCHES "^api-ms-win-")
            message(FATAL_ERROR "${exe} imports ${dll}, which Windows does not provide")
        endif()
    endforeach()
    set(imports ${imports} PARENT_SCOPE)
endfunction()
