list(APPEND TORAN_CORE_SOURCES
    results/TableFile.cpp results/TableFile.h
    results/Cp1250.cpp results/Cp1250.h
    results/AtomicFile.cpp results/AtomicFile.h
    results/Data.cpp results/Data.h
    results/Verdict.cpp results/Verdict.h
)
list(APPEND TORAN_UI_SOURCES
)

# The empty results table, written by the program's own table code: the
# template "Data/Zaloha/Toran.dbf" and the first live "Data/Toran.dbf". The
# project keeps no index file; both orders are computed in memory.
set(TORAN_EMPTY_TABLE ${PROJECT_BINARY_DIR}/results/Toran.dbf)
add_custom_command(OUTPUT ${TORAN_EMPTY_TABLE}
    COMMAND $<TARGET_FILE:toran_mktable> ${TORAN_EMPTY_TABLE}
    DEPENDS toran_mktable
    COMMENT "Writing the empty results table")
add_custom_target(toran_empty_table ALL DEPENDS ${TORAN_EMPTY_TABLE})

install(FILES ${TORAN_EMPTY_TABLE} DESTINATION Data/Zaloha COMPONENT results)
# The live table is installed only where none exists yet: installing again
# over a used copy must not wipe its results.
install(CODE "
    set(live \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/Data/Toran.dbf\")
    if(EXISTS \"\${live}\")
        message(STATUS \"Keeping: \${live}\")
    else()
        file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/Data\" TYPE FILE FILES \"${TORAN_EMPTY_TABLE}\")
    endif()
" COMPONENT results)
