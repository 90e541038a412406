# Installation and the Debian package. cmake --install puts the programs under bin/, the desktop
# entry with its icons and the examples under share/; cpack -G DEB packs the same tree for /usr.
# Included at the end of the top-level list, so every target is known here.
include(GNUInstallDirs)

install(TARGETS veltora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET veltora-check)
    install(TARGETS veltora-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# No MimeType in the entry: .conf is too common a suffix to claim for the editor.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/veltora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/examples/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/veltora/examples FILES_MATCHING PATTERN "*.conf")

# The icon PNGs' generator, built only on request: cmake --build . --target makeicons, then run
# it from the source folder to rewrite packaging/icons from res/icon.ico.
add_executable(makeicons EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/makeicons.cpp)
target_link_libraries(makeicons PRIVATE Qt5::Gui warnings)
