# The Windows program's folder and its installer (the Windows build, made by
# scripts/windows.sh).
#
# Beside the program: the Qt libraries it links and the Qt plugins that Qt
# loads by name (the window system and the system's look), and the MinGW
# libraries that all of them load, found by their imports; nothing else.
find_package(Qt6 REQUIRED COMPONENTS Network)
set(TORAN_QT_LIBRARIES Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network)
install(IMPORTED_RUNTIME_ARTIFACTS ${TORAN_QT_LIBRARIES} RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles)
set(TORAN_DLL_DIRS)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(found ${found} DIRECTORY)
    list(APPEND TORAN_DLL_DIRS ${found})
endforeach()
set(loaded $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)
foreach(library ${TORAN_QT_LIBRARIES})
    list(APPEND loaded $<TARGET_FILE:${library}>)
endforeach()
# The system's loader matches names in any letter case; CMake's search does
# not, so only the MinGW libraries' names, all in lower case, are looked up.
install(CODE "
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES \"$<TARGET_FILE:Toran2000>\"
    MODULES ${loaded}
    DIRECTORIES ${TORAN_DLL_DIRS}
    PRE_INCLUDE_REGEXES \"^lib(gcc_s|stdc|winpthread)\"
    PRE_EXCLUDE_REGEXES \".*\"
    RESOLVED_DEPENDENCIES_VAR dlls
    UNRESOLVED_DEPENDENCIES_VAR missing)
if(missing)
    message(FATAL_ERROR \"Libraries of the program not found: \${missing}\")
endif()
file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}\" TYPE SHARED_LIBRARY FILES \${dlls})
# cmake --install --strip strips the program; the libraries too.
if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE copies \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${copies} COMMAND_ERROR_IS_FATAL ANY)
endif()
")

# The installer (cpack, NSIS): the same folder, installed for every user
# into Program Files, with a Start-menu entry and an uninstaller. Each
# player's settings and results live in the player's own data folder, so
# the uninstaller, which removes what was installed, keeps them.
set(CPACK_GENERATOR NSIS)
set(CPACK_MONOLITHIC_INSTALL ON)   # one folder, no choice of parts
set(CPACK_PACKAGE_FILE_NAME Toran2000-${PROJECT_VERSION}-setup)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Toran2000)
set(CPACK_PACKAGE_EXECUTABLES Toran2000 "Toranská věž 2000")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME "Toranská věž 2000")
set(CPACK_NSIS_DISPLAY_NAME "Toranská věž 2000 ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME Toran2000.exe)
set(CPACK_NSIS_URL_INFO_ABOUT ${TORAN_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/packaging/copyright)
# A 64-bit installer for the 64-bit game, in Unicode for the Czech names:
# it runs wherever the game runs (Wine without its 32-bit half included).
# CMake's own NSIS script with that one line at its top.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
string(FIND "${template}" "  ;Set compression" at)
if(at LESS 0)
    message(FATAL_ERROR "CMake's NSIS script has changed: no place for the installer's target")
endif()
string(REPLACE "  ;Set compression" "  Target amd64-unicode\n\n  ;Set compression" template "${template}")
file(WRITE ${PROJECT_BINARY_DIR}/packaging/windows/NSIS.template.in "${template}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/packaging/windows)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/SharedInstall.cmake)
