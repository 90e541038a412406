# Installation and the Debian package. cmake --install puts the programs under bin/, the desktop
# entry with its icons, the examples, the manual pages and the package's documents under share/;
# cpack -G DEB packs the same tree for /usr. Included at the end of the top-level list, so every
# target is known here.
include(GNUInstallDirs)

# Manual pages, made by help2man from each program's --help and --version at build time, so that
# an option added to a program shows in its page by itself. No display is offered: both programs
# must answer those two without one, and the build fails when either cannot.
find_program(HELP2MAN help2man)
set(documents_dir ${CMAKE_BINARY_DIR}/documents)
file(MAKE_DIRECTORY ${documents_dir})
set(manual_pages)
if(HELP2MAN)
    set(veltora_whatis "edit the vehicle-classification configuration of a weigh-in-motion system")
    set(veltora_see veltora-check)
    set(veltora-check_whatis "check vehicle-classification configurations without a screen")
    set(veltora-check_see veltora)
    foreach(program veltora veltora-check)
        # The page's NAME names the command: help2man would take "Veltora" from --version.
        set(include ${documents_dir}/${program}.h2m)
        # roff reads a bare "-" as a hyphen that may break a line; names and options want "\-".
        string(REPLACE "-" "\\-" name "${program}")
        string(REPLACE "-" "\\-" whatis "${${program}_whatis}")
        string(REPLACE "-" "\\-" see "${${program}_see}")
        file(WRITE ${include} "[NAME]\n${name} \\- ${whatis}\n[SEE ALSO]\n.BR ${see} (1)\n")
        add_custom_command(OUTPUT ${documents_dir}/${program}.1.gz
            COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                QT_QPA_PLATFORM=no-display LC_ALL=C.UTF-8
                ${HELP2MAN} --no-info --include=${include}
                --output=${documents_dir}/${program}.1 $<TARGET_FILE:${program}>
            # -n: no name or time stamp inside, so that the same sources give the same bytes.
            COMMAND gzip -9nf ${documents_dir}/${program}.1
            DEPENDS ${program} ${include}
            COMMENT "Making the manual page of ${program}"
            VERBATIM)
        list(APPEND manual_pages ${documents_dir}/${program}.1.gz)
    endforeach()
    install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    # Building and running the editor need no manual pages; installing and packaging do.
    message(STATUS "help2man not found: no manual pages, so no install or package "
        "(scripts/setup.sh --package installs it)")
    install(CODE "message(FATAL_ERROR \"The manual pages need help2man: install it \"
        \"(scripts/setup.sh --package), then configure again.\")")
endif()

install(TARGETS veltora veltora-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Hardened as Debian links its own programs: every symbol bound at start, after which the
# relocation tables are read-only.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_link_options(veltora PRIVATE -Wl,-z,relro -Wl,-z,now)
    target_link_options(veltora-check PRIVATE -Wl,-z,relro -Wl,-z,now)
endif()

# No MimeType in the entry: .conf is too common a suffix to claim for the editor.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/veltora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/examples/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/veltora/examples FILES_MATCHING PATTERN "*.conf"
    PATTERN "*.csv")

# The documents every Debian package carries: the copyright in the machine-readable format, and
# the changelog under the name for a version without a Debian revision (changelog.gz, not
# changelog.Debian.gz).
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog changelog_top LIMIT_COUNT 1)
string(REGEX REPLACE "^veltora \\(([^)]*)\\).*" "\\1" changelog_version "${changelog_top}")
if(NOT changelog_version STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog begins with version \"${changelog_version}\", the "
        "project is ${PROJECT_VERSION}: give the new version its entry")
endif()
add_custom_command(OUTPUT ${documents_dir}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/changelog ${documents_dir}/changelog
    COMMAND gzip -9nf ${documents_dir}/changelog
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
    VERBATIM)
add_custom_target(documents ALL DEPENDS ${manual_pages} ${documents_dir}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${documents_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
# lintian's overrides, each under its reason; installed only once there is one to install.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides lintian_overrides REGEX "^[ \t]*[^# \t]")
if(lintian_overrides)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME veltora)
endif()

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
# The long description as Debian shows it: each line within 80 columns once dpkg indents it.
set(CPACK_PACKAGE_DESCRIPTION
    "Veltora opens the .conf file that tells a weigh-in-motion system how to
classify vehicles, checks every field as it is typed, manages the vehicle
subclasses with their axle distances, weights and tyre types, draws each
vehicle at its minimum and maximum axle distances, and saves a file the
system can trust. It prints a classification sheet of every subclass with
its picture, or writes it as PDF without a screen. veltora-check runs the
same checks, and an analysis of the classification, without a screen.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.marlek.example/veltora")
# The Qt 5 runtime libraries (and the C++ runtime) as the binaries actually link them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
