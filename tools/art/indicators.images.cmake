list(APPEND TORAN_ART_SCALED_IMAGES
    led/OFF.png led/ON.png led/DOWN.png
    led/OFFRND.png led/ONRND.png led/DOWNRND.png
    led/OFF3DWN.png led/ON3DWN.png led/DOWN3DWN.png
    led/OFF3UP.png led/ON3UP.png led/DOWN3UP.png
)
