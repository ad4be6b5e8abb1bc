# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the programs as a desktop expects them: the programs, their
# manual pages (scdoc sources in docs/man/), the desktop entry, the AppStream
# metadata and the icon (packaging/), and the documentation with the example
# data.  Generated files go to <build>/packaging and <build>/man.
include(GNUInstallDirs)
get_filename_component(arb_top ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)

if(PROJECT_VERSION)
  set(ARBORIX_VERSION ${PROJECT_VERSION})
else()
  set(ARBORIX_VERSION 1.0.0)
endif()
# ARBORIX_APP_ID, the one application id of the desktop entry, the metadata
# and the icon, is set at the top, where the window program takes it too.

# A tool that makes some of the installed files: without it the build goes
# on without them, and says so.
function(arborix_optional_program var name package what)
  find_program(${var} ${name})
  if(NOT ${var})
    message(STATUS "${name} not found: ${what} are not built (install the package ${package})")
  endif()
endfunction()

set(arb_gen ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(arb_man ${CMAKE_CURRENT_BINARY_DIR}/man)
set(arb_programs arborix-term arborix arborix-plot arborix-import)
set(arb_generated)

# Programs, and a manual page for each program that has a page source.
arborix_optional_program(ARBORIX_SCDOC scdoc scdoc "the manual pages")
file(GLOB arb_man_parts CONFIGURE_DEPENDS ${arb_top}/docs/man/*.scd)
set(arb_man_pages)
foreach(prog ${arb_programs})
  if(NOT TARGET ${prog})
    continue()
  endif()
  install(TARGETS ${prog} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(src ${arb_top}/docs/man/${prog}.1.scd.in)
  if(ARBORIX_SCDOC AND EXISTS ${src})
    add_custom_command(
      OUTPUT ${arb_man}/${prog}.1 ${arb_man}/${prog}.1.gz
      COMMAND ${CMAKE_COMMAND} -DSCDOC=${ARBORIX_SCDOC} -DSRC=${arb_top}/docs/man -DPAGE=${prog}
              -DVERSION=${ARBORIX_VERSION} -DAPP_ID=${ARBORIX_APP_ID} -DOUT=${arb_man} -P ${arb_top}/cmake/man_page.cmake
      DEPENDS ${src} ${arb_man_parts} ${arb_top}/cmake/man_page.cmake
      COMMENT "Manual page ${prog}(1)"
      VERBATIM)
    list(APPEND arb_man_pages ${prog})
    list(APPEND arb_generated ${arb_man}/${prog}.1 ${arb_man}/${prog}.1.gz)
    install(FILES ${arb_man}/${prog}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

# The desktop entry, its metadata and the icon, for the window program.
if(TARGET arborix)
  configure_file(${arb_top}/packaging/arborix.desktop.in ${arb_gen}/${ARBORIX_APP_ID}.desktop
                 @ONLY)
  configure_file(${arb_top}/packaging/arborix.metainfo.xml.in
                 ${arb_gen}/${ARBORIX_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${arb_gen}/${ARBORIX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${arb_gen}/${ARBORIX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  set(svg ${arb_top}/packaging/arborix.svg)
  install(FILES ${svg} DESTINATION ${icons}/scalable/apps RENAME ${ARBORIX_APP_ID}.svg)
  arborix_optional_program(ARBORIX_RSVG_CONVERT rsvg-convert librsvg2-bin "the icon's PNG sizes")
  set(png_sizes)
  if(ARBORIX_RSVG_CONVERT)
    set(png_sizes 48 64 128 256)
  endif()
  foreach(size ${png_sizes})
    set(png ${arb_gen}/icons/${size}/${ARBORIX_APP_ID}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${arb_gen}/icons/${size}
      COMMAND ${ARBORIX_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
      DEPENDS ${svg}
      COMMENT "Icon ${size}x${size}"
      VERBATIM)
    list(APPEND arb_generated ${png})
    install(FILES ${png} DESTINATION ${icons}/${size}x${size}/apps)
  endforeach()
endif()

add_custom_target(arborix_generated ALL DEPENDS ${arb_generated})

# Documentation, and the example data with their sources and ready answers.
install(FILES ${arb_top}/README.md ${arb_top}/LICENSE ${arb_top}/NEWS.md ${arb_top}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The README's links and pictures, so that it reads the same installed.
install(FILES ${arb_top}/docs/behaviour.md ${arb_top}/docs/bad-input.md ${arb_top}/docs/performance.md
        ${arb_top}/docs/development.md ${arb_top}/docs/window.png ${arb_top}/docs/average.png
        ${arb_top}/docs/coverage.png ${arb_top}/docs/coverage_largest.png
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
set(ex ${arb_top}/examples)
install(FILES ${ex}/README.md ${ex}/ukmo_tmax_layout1.txt ${ex}/cet_mean_layout1.txt ${ex}/answers.txt
              ${ex}/answers_cet.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# Everything the install rules take, to build before packaging without the
# tests and benchmarks.
add_custom_target(package_files)
add_dependencies(package_files arborix_generated)
foreach(prog ${arb_programs})
  if(TARGET ${prog})
    add_dependencies(package_files ${prog})
  endif()
endforeach()

# Checks of the installed files, with the tools a Debian desktop uses.
if(NOT BUILD_TESTING)
  return()
endif()
set(arb_checks ${arb_top}/tests/packaging)
# Each page against its program's --help; the pages of the two programs
# with the dialogue also describe the dialogue.
set(arb_dialogue_words OPTIONS "THE DIALOGUE" "THE CLIMATE MASK" "THE OUTPUT FILE" "NAMES BEGINNING WITH /"
    EXAMPLES "< answers.txt")
foreach(page ${arb_man_pages})
  set(words)
  if(NOT page STREQUAL "arborix-plot" AND NOT page STREQUAL "arborix-import")
    set(words ${arb_dialogue_words})
  endif()
  add_test(NAME packaging.man_page.${page}
           COMMAND ${arb_checks}/check_man_page.sh ${arb_man}/${page}.1 ${arb_man}/${page}.1.scd
                   $<TARGET_FILE:${page}> ${words})
endforeach()
if(TARGET arborix)
  add_test(NAME packaging.desktop_entry
           COMMAND ${arb_checks}/check_quiet.sh desktop-file-validate ${arb_gen}/${ARBORIX_APP_ID}.desktop)
  add_test(NAME packaging.metainfo
           COMMAND ${arb_checks}/check_metainfo.sh ${arb_gen}/${ARBORIX_APP_ID}.metainfo.xml)
endif()
add_test(NAME packaging.version
         COMMAND ${arb_checks}/check_version.sh ${ARBORIX_VERSION} ${arb_top}/NEWS.md
                 ${arb_top}/packaging/arborix.metainfo.xml.in)
add_test(NAME packaging.example_answers
         COMMAND ${arb_checks}/check_example_answers.sh $<TARGET_FILE:arborix-term> ${arb_top}/examples
                 ${CMAKE_CURRENT_BINARY_DIR}/example_answers)
