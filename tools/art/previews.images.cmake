list(APPEND TORAN_ART_SCALED_IMAGES
    hra-0.png hra-1.png hra-2.png hra-3.png hra-4.png hra-5.png hra-6.png hra-7.png
)
