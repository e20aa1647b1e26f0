list(APPEND TORAN_ART_IMAGES
    assistant.mask2
)
list(APPEND TORAN_ART_SCALED_IMAGES
    assistant.png
    warning-exclamation.png
    warning-question.png
)
