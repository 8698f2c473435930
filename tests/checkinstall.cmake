# Installs the build in BUILD_DIR into PREFIX and checks the installed tree:
# the executable and every example graph (EXAMPLES, relative to SOURCE_DIR)
# in PREFIX/INSTALL_DIR, the graphs in its grafy folder; on Linux also the
# link in bin/ that leads to the executable, the menu entry, the description,
# the type of graph files and the icon in every size (ICON_SIZES); on Windows
# (EXECUTABLE_SUFFIX .exe) also Qt's Polish catalogue and the qt.conf that
# leads Qt to it.

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing failed: ${result}")
endif()

set(program_dir ${PREFIX}/${INSTALL_DIR})
set(program ${program_dir}/perewal${EXECUTABLE_SUFFIX})
if(NOT EXISTS ${program} OR IS_SYMLINK ${program})
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

if(EXECUTABLE_SUFFIX STREQUAL ".exe")
    foreach(file qt.conf translations/qtbase_pl.qm)
        if(NOT EXISTS ${program_dir}/${file})
            message(FATAL_ERROR "no ${file} beside the program")
        endif()
    endforeach()
endif()

if(APP_ID)
    set(link ${PREFIX}/bin/perewal)
    if(NOT IS_SYMLINK ${link})
        message(FATAL_ERROR "${link} is not a link")
    endif()
    file(READ_SYMLINK ${link} target)
    if(IS_ABSOLUTE ${target})
        message(FATAL_ERROR "${link} leads to the absolute ${target}; a moved tree would lose it")
    endif()
    file(REAL_PATH ${link} resolved)
    file(REAL_PATH ${program} expected)
    if(NOT resolved STREQUAL expected)
        message(FATAL_ERROR "${link} leads to ${resolved}, not to ${expected}")
    endif()
    foreach(file applications/${APP_ID}.desktop metainfo/${APP_ID}.metainfo.xml mime/packages/${APP_ID}.xml)
        if(NOT EXISTS ${PREFIX}/share/${file})
            message(FATAL_ERROR "share/${file} is not installed")
        endif()
    endforeach()
    foreach(size IN LISTS ICON_SIZES)
        set(icon ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
        if(NOT EXISTS ${icon})
            message(FATAL_ERROR "no ${size}x${size} icon at ${icon}")
        endif()
    endforeach()
endif()
file(REMOVE_RECURSE ${PREFIX})
