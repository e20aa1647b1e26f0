# lupdate over the sources leaves every .ts file as it is (no new text
# without its translation, none left over), and lrelease finds no message
# unfinished. Run with -DLUPDATE= -DLRELEASE= -DSOURCES=<src> -DWORK=<dir>
# -DTS_FILES=<files>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(ts ${TS_FILES})
    get_filename_component(name ${ts} NAME)
    set(copy ${WORK}/${name})
    configure_file(${ts} ${copy} COPYONLY)
    # Czech, the sources' own language, keeps only the plural forms.
    set(only)
    if(name MATCHES "_cs\\.ts$")
        set(only -pluralonly)
    endif()
    execute_process(COMMAND ${LUPDATE} -locations none ${only} ${SOURCES} -ts ${copy}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    # lupdate names a file for every text it cannot take (a tr() it cannot read).
    if(NOT rc EQUAL 0 OR err MATCHES "${SOURCES}")
        message(FATAL_ERROR "lupdate failed on ${name}:\n${out}${err}")
    endif()
    file(READ ${ts} kept)
    file(READ ${copy} updated)
    if(NOT kept STREQUAL updated)
        execute_process(COMMAND diff -u ${ts} ${copy})
        message(FATAL_ERROR "${name} is not up to date with the sources: build the target "
            "update_translations and translate what it adds")
    endif()
    execute_process(COMMAND ${LRELEASE} ${copy} -qm ${WORK}/${name}.qm
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT out MATCHES "\\(([0-9]+) finished and 0 unfinished\\)")
        message(FATAL_ERROR "lrelease on ${name}:\n${out}${err}")
    endif()
    message(STATUS "${name}: ${CMAKE_MATCH_1} messages, all translated")
endforeach()
