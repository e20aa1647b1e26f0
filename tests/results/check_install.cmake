# Installs the results component into a scratch prefix twice: the first time
# delivers the empty template and an empty live table, the second keeps the
# live table that is there by then.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DEMPTY=... -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component results --prefix ${PREFIX}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed: ${result}")
endif()
foreach(table Data/Zaloha/Toran.dbf Data/Toran.dbf)
    if(NOT EXISTS ${PREFIX}/${table})
        message(FATAL_ERROR "${table} was not installed")
    endif()
    file(SHA256 ${PREFIX}/${table} got)
    file(SHA256 ${EMPTY} want)
    if(NOT got STREQUAL want)
        message(FATAL_ERROR "${table} is not the empty table")
    endif()
endforeach()
file(WRITE ${PREFIX}/Data/Toran.dbf "results of a used copy")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component results --prefix ${PREFIX}
    RESULT_VARIABLE result)
file(READ ${PREFIX}/Data/Toran.dbf kept)
if(NOT result EQUAL 0 OR NOT kept STREQUAL "results of a used copy")
    message(FATAL_ERROR "installing again replaced the live table")
endif()
file(REMOVE_RECURSE ${PREFIX})
