list(APPEND TORAN_ART_IMAGES
    assistant.png
    assistant.mask2
    warning-exclamation.png
    warning-question.png
)
