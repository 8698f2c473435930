# Validates the MIME type of graph files as update-mime-database reads it
# (MIME_XML into a scratch database in WORK_DIR): no error, and *.graf
# mapped to the type. Then the menu entry (DESKTOP) must open that type with
# the file it is given.

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/mime/packages)
file(COPY ${MIME_XML} DESTINATION ${WORK_DIR}/mime/packages)
execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${WORK_DIR}/mime
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
# It says what is wrong but exits with 0 all the same.
if(NOT result EQUAL 0 OR errors MATCHES "Error|Failed|error")
    message(FATAL_ERROR "update-mime-database refused ${MIME_XML}:\n${errors}")
endif()
file(READ ${WORK_DIR}/mime/globs2 globs)
if(NOT globs MATCHES ":application/x-perewal-graph:\\*\\.graf")
    message(FATAL_ERROR "*.graf is not mapped to application/x-perewal-graph:\n${globs}")
endif()
if(NOT EXISTS ${WORK_DIR}/mime/application/x-perewal-graph.xml)
    message(FATAL_ERROR "no application/x-perewal-graph in the database")
endif()

file(READ ${DESKTOP} entry)
if(NOT entry MATCHES "\nMimeType=([^\n]*;)?application/x-perewal-graph;")
    message(FATAL_ERROR "${DESKTOP} does not open application/x-perewal-graph")
endif()
if(NOT entry MATCHES "\nExec=perewal %f\n")
    message(FATAL_ERROR "${DESKTOP} does not pass the file to the program (Exec=perewal %f)")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
