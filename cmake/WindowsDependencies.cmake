# What the Windows build (MinGW-w64, made by scripts/windows.sh) takes from
# elsewhere than its Qt:
# - SimpleIni, a header of templates: this machine's copy from
#   libsimpleini-dev, in a folder of its own (the machine's /usr/include must
#   stay off a Windows compiler's path); its bodies are compiled in
#   src/core/settings/SimpleIniBodies.cpp, since no library carries them;
# - shapelib's dBASE file, built by the script: SHAPELIB_INCLUDE_DIR and
#   SHAPELIB_LIBRARY name it.
set(TORAN_SIMPLEINI_HEADER /usr/include/SimpleIni.h CACHE FILEPATH "SimpleIni's header on this machine")
configure_file(${TORAN_SIMPLEINI_HEADER} ${PROJECT_BINARY_DIR}/simpleini/SimpleIni.h COPYONLY)
add_library(PkgConfig::SIMPLEINI INTERFACE IMPORTED)
target_include_directories(PkgConfig::SIMPLEINI INTERFACE ${PROJECT_BINARY_DIR}/simpleini)
