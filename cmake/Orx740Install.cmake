# `cmake --install build --prefix DIR` lays out a system-wide install: the programs in DIR/bin and
# every shared file in DIR/share/orx740, where a program in DIR/bin finds them. The packaging
# folder adds the desktop integration; CPack makes the Debian package of the same tree.
include(GNUInstallDirs)
set(ORX740_DATA_DIR "${CMAKE_INSTALL_DATADIR}/orx740")
install(TARGETS orx740 orx740-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${CMAKE_SOURCE_DIR}/assets/Version.ini" DESTINATION "${ORX740_DATA_DIR}")
install(FILES "${CMAKE_SOURCE_DIR}/assets/mysetup.ini" DESTINATION "${ORX740_DATA_DIR}/language")
install(FILES
    "${ORX740_STAGE_BIN}/StartE.jpg"
    "${ORX740_STAGE_BIN}/StartC.jpg"
    DESTINATION "${ORX740_DATA_DIR}")
install(FILES
    "${ORX740_STAGE_BIN}/PIC/BK_1.jpg"
    "${ORX740_STAGE_BIN}/PIC/BK_2.jpg"
    DESTINATION "${ORX740_DATA_DIR}/PIC")
install(DIRECTORY "${ORX740_STAGE_BIN}/Init" DESTINATION "${ORX740_DATA_DIR}")
install(FILES "${ORX740_STAGE_BIN}/orx740-config.schema.json" DESTINATION "${ORX740_DATA_DIR}")
install(DIRECTORY "${ORX740_STAGE_BIN}/help" DESTINATION "${ORX740_DATA_DIR}"
    PATTERN manual.stamp EXCLUDE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orx740)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "ORX-740 maintainers <maintainers@users.noreply.c-seed-750e3ddd.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software of the ORX-740 transceiver")
# The long description under the summary line; CPack indents it and marks the empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the programmable memory of the ORX-740 mobile transceiver (CB band,
a wide HF range and the 10-metre amateur band) through its programming
cable, edits it and writes it back: the channels of every group, the memory
channels, the group names, the emergency, dual-watch and memory-channel
settings, the optional features and the roger-beep tones. Configurations
are kept in data files.

The package holds the windowed program (English and Chinese), the
command-line companion orx740-cli with a simulated radio, and a udev rule
that gives the logged-in user access to the common programming cables
(CH340/CH341/CH9102, PL2303, FTDI, CP210x) and keeps ModemManager away.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a CJK font every Chinese label is drawn as empty boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orx740.example/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX "${CMAKE_SOURCE_DIR}/dist")
include(CPack)
