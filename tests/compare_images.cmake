# Redraws the images into OUTPUT and fails if any differs from the committed one in SOURCE.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
execute_process(COMMAND ${Python3_EXECUTABLE} ${SOURCE}/make_images.py ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
foreach(image AppIcon.ico HandPointer.cur AppIcon.png)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOURCE}/${image} ${OUTPUT}/${image}
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${image} differs from what make_images.py draws")
    endif()
endforeach()
