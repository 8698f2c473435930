# Installs the build in BUILD_DIR into PREFIX and checks that the executable
# and every example graph (EXAMPLES, relative to SOURCE_DIR) lie in
# PREFIX/INSTALL_DIR, the graphs in its grafy folder.

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing failed: ${result}")
endif()

set(program_dir ${PREFIX}/${INSTALL_DIR})
if(NOT EXISTS ${program_dir}/perewal${CMAKE_EXECUTABLE_SUFFIX})
    message(FATAL_ERROR "no executable in ${program_dir}")
endif()
foreach(example IN LISTS EXAMPLES)
    get_filename_component(name ${example} NAME)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOURCE_DIR}/${example} ${program_dir}/grafy/${name}
        RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${program_dir}/grafy/${name} is missing or differs from ${example}")
    endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
