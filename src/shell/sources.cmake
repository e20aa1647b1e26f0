list(APPEND TORAN_CORE_SOURCES
    shell/AppError.h
    shell/AppPath.cpp shell/AppPath.h
    shell/FileLookup.cpp shell/FileLookup.h
    shell/IniFile.cpp shell/IniFile.h
    shell/InstanceChannel.cpp shell/InstanceChannel.h
    shell/Manual.cpp shell/Manual.h
    shell/Settings.cpp shell/Settings.h
    shell/SoundCue.cpp shell/SoundCue.h
    shell/SystemInfo.cpp shell/SystemInfo.h
    shell/Today.cpp shell/Today.h
)
list(APPEND TORAN_UI_SOURCES
    shell/AppWindows.cpp shell/AppWindows.h
    shell/BenchReport.cpp shell/BenchReport.h
    shell/DialogSupport.cpp shell/DialogSupport.h
    shell/ErrorReport.cpp shell/ErrorReport.h
    shell/Fonts.cpp shell/Fonts.h
    shell/HintTracker.cpp shell/HintTracker.h
    shell/Hlavni.cpp shell/Hlavni.h
    shell/InputLock.cpp shell/InputLock.h
    shell/Pacing.cpp shell/Pacing.h
    shell/Platform.cpp shell/Platform.h
    shell/QtSoundPlayer.cpp shell/QtSoundPlayer.h
    shell/Sef.cpp shell/Sef.h
    shell/Spusteni.cpp shell/Spusteni.h
    shell/Startup.cpp shell/Startup.h
    shell/StatusBar.cpp shell/StatusBar.h
)
