# The custom controls: picture button, flat button and label, gradient text
# and bar. Their arithmetic has no widgets and lives in the core.
list(APPEND TORAN_CORE_SOURCES
    widgets/GradientMath.cpp widgets/GradientMath.h
)
list(APPEND TORAN_UI_SOURCES
    widgets/TransBtn2.cpp widgets/TransBtn2.h
    widgets/OContrls.cpp widgets/OContrls.h
    widgets/GradText.cpp widgets/GradText.h
    widgets/GradProgress.cpp widgets/GradProgress.h
)
