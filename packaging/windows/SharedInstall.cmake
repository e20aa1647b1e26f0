# Run by cpack on the installer's folder before it is packed: an
# installation for every user, which holds no live table (each player's own
# is made from the template on first start) and says so by the file beside
# the program.
file(REMOVE ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/Data/Toran.dbf)
file(WRITE ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/Toran2000.shared
    "Installed for every user: each player's settings and results live in the player's own data folder.\r\n")
