# Installation and the Debian package. cmake --install puts the programs under bin/, the desktop
# entry with its icons and the examples under share/; cpack -G DEB packs the same tree for /usr.
# Included at the end of the top-level list, so every target is known here.
include(GNUInstallDirs)

install(TARGETS veltora veltora-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# No MimeType in the entry: .conf is too common a suffix to claim for the editor.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/veltora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/examples/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/veltora/examples FILES_MATCHING PATTERN "*.conf"
    PATTERN "*.csv")

# The icon PNGs' generator, built only on request: cmake --build . --target makeicons, then run
# it from the source folder to rewrite packaging/icons from res/icon.ico.
add_executable(makeicons EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/makeicons.cpp)
target_link_libraries(makeicons PRIVATE Qt5::Gui warnings)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Marlek d.o.o")
set(CPACK_PACKAGE_CONTACT "Marlek d.o.o <veltora@marlek.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "editor for the vehicle classification of a weigh-in-motion system")
set(CPACK_PACKAGE_DESCRIPTION
    "Veltora opens the .conf file that tells a weigh-in-motion system how to classify
vehicles, checks every field as it is typed, manages the vehicle subclasses with
their axle distances, weights and tyre types, draws each vehicle at its minimum and
maximum axle distances, and saves a file the system can trust.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.marlek.example/veltora")
# The Qt 5 runtime libraries (and the C++ runtime) as the binaries actually link them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
