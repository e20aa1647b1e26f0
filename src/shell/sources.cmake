list(APPEND TORAN_CORE_SOURCES
    shell/AppError.h
    shell/AppPath.cpp shell/AppPath.h
    shell/FileLookup.cpp shell/FileLookup.h
    shell/IniFile.cpp shell/IniFile.h
    shell/Settings.cpp shell/Settings.h
    shell/SoundCue.cpp shell/SoundCue.h
    shell/Today.cpp shell/Today.h
    shell/InstanceChannel.cpp shell/InstanceChannel.h
)
list(APPEND TORAN_UI_SOURCES
    shell/ErrorReport.cpp shell/ErrorReport.h
    shell/Pacing.cpp shell/Pacing.h
    shell/InputLock.cpp shell/InputLock.h
    shell/Fonts.cpp shell/Fonts.h
)
list(APPEND TORAN_UI_SOURCES shell/Startup.cpp shell/Startup.h)
