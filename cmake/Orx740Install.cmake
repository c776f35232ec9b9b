# `cmake --install build --prefix DIR` lays out the same tree as the staged build folder.
include(GNUInstallDirs)
install(TARGETS orx740 orx740-cli RUNTIME DESTINATION bin)
install(FILES "${CMAKE_SOURCE_DIR}/assets/Version.ini" DESTINATION .)
install(FILES "${CMAKE_SOURCE_DIR}/assets/mysetup.ini" DESTINATION language)
install(FILES
    "${ORX740_STAGE_BIN}/StartE.jpg"
    "${ORX740_STAGE_BIN}/StartC.jpg"
    DESTINATION bin)
install(FILES
    "${ORX740_STAGE_BIN}/PIC/BK_1.jpg"
    "${ORX740_STAGE_BIN}/PIC/BK_2.jpg"
    DESTINATION bin/PIC)
install(DIRECTORY "${ORX740_STAGE_BIN}/Init" DESTINATION bin OPTIONAL)
