list(APPEND TORAN_ART_SCALED_IMAGES
    icon.png
    status.png
    toolbar-0.png toolbar-1.png toolbar-2.png toolbar-4.png toolbar-7.png toolbar-8.png
)
