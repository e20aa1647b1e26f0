include_guard(GLOBAL)
# The information and question windows built on the shared balloon.
list(APPEND TORAN_UI_SOURCES
    dialogs/QuestionBalloon.cpp dialogs/QuestionBalloon.h
    dialogs/DotazKonec.cpp dialogs/DotazKonec.h
)
