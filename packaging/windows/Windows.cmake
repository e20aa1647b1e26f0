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

# The program's icon, version and manifest, built into it.
set(TORAN_WINDOWS_NAME "Toranská věž 2000")
set(TORAN_WINDOWS_MANIFEST ${PROJECT_BINARY_DIR}/packaging/windows/Toran2000.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Toran2000.manifest ${TORAN_WINDOWS_MANIFEST} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Toran2000.rc.in ${PROJECT_BINARY_DIR}/packaging/windows/Toran2000.rc @ONLY)
target_sources(Toran2000 PRIVATE ${PROJECT_BINARY_DIR}/packaging/windows/Toran2000.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/packaging/windows/Toran2000.rc PROPERTIES
    OBJECT_DEPENDS "${TORAN_WINDOWS_ICON};${TORAN_WINDOWS_MANIFEST}")

# The licences of what the folder holds, from the texts this machine's
# packages carry, in Licence beside the program; the game's own terms
# (Toran2000.txt) say which is which and are the installer's licence page.
set(licences ${PROJECT_SOURCE_DIR}/packaging/windows/licence)
set(TORAN_MINGW_VERSION ${CMAKE_CXX_COMPILER_VERSION})
configure_file(${licences}/Qt-source.txt.in ${PROJECT_BINARY_DIR}/packaging/windows/Qt-source.txt @ONLY)
set(TORAN_LICENCE_FILES
    ${licences}/Toran2000.txt=Toran2000.txt
    ${PROJECT_BINARY_DIR}/packaging/windows/Qt-source.txt=Qt-source.txt
    /usr/share/common-licenses/LGPL-3=LGPL-3.txt
    /usr/share/common-licenses/GPL-3=GPL-3.txt
    /usr/share/doc/libqt6core6/copyright=Qt-copyright.txt
    /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright=GCC-runtime.txt
    /usr/share/doc/mingw-w64-x86-64-dev/copyright=MinGW-w64-runtime.txt
    /usr/share/doc/libshp2/copyright=shapelib.txt
    /usr/share/doc/libsimpleini1/copyright=SimpleIni.txt)
foreach(entry ${TORAN_LICENCE_FILES})
    string(REPLACE "=" ";" entry ${entry})
    list(GET entry 0 from)
    list(GET entry 1 to)
    if(NOT EXISTS ${from})
        message(FATAL_ERROR "The licence text ${from} is missing: sh scripts/deps.sh windows installs it")
    endif()
    install(FILES ${from} DESTINATION Licence RENAME ${to})
endforeach()

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
set(CPACK_RESOURCE_FILE_LICENSE ${licences}/Toran2000.txt)
set(CPACK_NSIS_MUI_ICON ${TORAN_WINDOWS_ICON})
set(CPACK_NSIS_MUI_UNIICON ${TORAN_WINDOWS_ICON})
set(CPACK_NSIS_MUI_FINISHPAGE_RUN Toran2000.exe)
# CMake's own NSIS script, changed where it says too little: a 64-bit
# installer for the 64-bit game, in Unicode for the Czech names (it runs
# wherever the game runs, Wine without its 32-bit half included), with the
# game's version information; the uninstaller's shortcut and the finish
# page's box named in the installer's language (the system's); the
# uninstall entry's flags as numbers, as Windows reads them, and its size;
# and no empty key of the maker's left behind.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
function(change_installer old new)
    string(FIND "${template}" "${old}" at)
    if(at LESS 0)
        message(FATAL_ERROR "CMake's NSIS script has changed: no \"${old}\" in it")
    endif()
    string(REPLACE "${old}" "${new}" changed "${template}")
    set(template "${changed}" PARENT_SCOPE)
endfunction()
set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@")
set(uninstall_czech "Odinstalovat Toranská věž 2000")
set(uninstall_english "Uninstall Toranská věž 2000")
change_installer("  ;Set compression" "  Target amd64-unicode
  !include \"FileFunc.nsh\"
  !define MUI_FINISHPAGE_RUN_TEXT \"$(RunGame)\"

  ;Set compression")
change_installer("  !insertmacro MUI_LANGUAGE \"Welsh\"\n" "  !insertmacro MUI_LANGUAGE \"Welsh\"

  LangString UninstallShortcut \${LANG_ENGLISH} \"${uninstall_english}\"
  LangString UninstallShortcut \${LANG_CZECH} \"${uninstall_czech}\"
  LangString RunGame \${LANG_ENGLISH} \"Start the game\"
  LangString RunGame \${LANG_CZECH} \"Spustit hru\"

  VIProductVersion \"${PROJECT_VERSION}.0.0\"
  VIFileVersion \"${PROJECT_VERSION}.0.0\"
  VIAddVersionKey /LANG=\${LANG_CZECH} \"ProductName\" \"${TORAN_WINDOWS_NAME}\"
  VIAddVersionKey /LANG=\${LANG_CZECH} \"CompanyName\" \"KQ2000\"
  VIAddVersionKey /LANG=\${LANG_CZECH} \"FileDescription\" \"${TORAN_WINDOWS_NAME} ${PROJECT_VERSION}\"
  VIAddVersionKey /LANG=\${LANG_CZECH} \"FileVersion\" \"${PROJECT_VERSION}\"
  VIAddVersionKey /LANG=\${LANG_CZECH} \"ProductVersion\" \"${PROJECT_VERSION}\"
  VIAddVersionKey /LANG=\${LANG_CZECH} \"LegalCopyright\" \"© 1999-2000 Morvak Design, © 2026 KQ2000\"
")
change_installer("\\$STARTMENU_FOLDER\\Uninstall.lnk\"" "\\$STARTMENU_FOLDER\\$(UninstallShortcut).lnk\"")
change_installer("  Delete \"$SMPROGRAMS\\$MUI_TEMP\\Uninstall.lnk\"\n" "  Delete \"$SMPROGRAMS\\$MUI_TEMP\\${uninstall_czech}.lnk\"
  Delete \"$SMPROGRAMS\\$MUI_TEMP\\${uninstall_english}.lnk\"
")
foreach(flag NoRepair NoModify)
    change_installer("  Push \"${flag}\"\n  Push \"1\"\n  Call ConditionalAddToRegistry\n"
        "  WriteRegDWORD SHCTX \"${uninstall_key}\" \"${flag}\" 1\n")
endforeach()
change_installer("  ; Optional registration\n" "  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  WriteRegDWORD SHCTX \"${uninstall_key}\" \"EstimatedSize\" $0

  ; Optional registration
")
change_installer("  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n"
    "  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"
  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\"
")
file(WRITE ${PROJECT_BINARY_DIR}/packaging/windows/NSIS.template.in "${template}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/packaging/windows)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/SharedInstall.cmake)
