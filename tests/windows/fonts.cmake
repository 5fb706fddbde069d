# The layouts' fonts (tst_fonts.cpp), one test program run under three font configurations
# (and at other dpis, below):
#   windows.fonts_setup    only the fonts the set-up installs (fonts-setup.conf.in);
#   windows.fonts_desktop  the system's own, with a typical desktop's extra fonts
#                          (fonts-noto-core) present; skipped without them;
#   windows.fonts_tahoma   the system's own plus a face named Tahoma (fonts-tahoma.conf.in: DejaVu
#                          Serif renamed as it is scanned), standing for a desktop that has one.
qt_add_executable(windows_tst_fonts windows/tst_fonts.cpp)
target_link_libraries(windows_tst_fonts PRIVATE quiravel_windows Qt6::Test)

# A font configuration of the build's own, NAME.conf.in made into BUILD/fonts-NAME/fonts.conf,
# with a folder fonts-NAME/fonts of links to the font files given (@dir@ is fonts-NAME).
function(quiravel_fonts_config name)
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/fonts-${name}")
  file(REMOVE_RECURSE "${dir}/fonts")
  file(MAKE_DIRECTORY "${dir}/fonts")
  foreach(file IN LISTS ARGN)
    get_filename_component(face "${file}" NAME)
    file(CREATE_LINK "${file}" "${dir}/fonts/${face}" SYMBOLIC)
  endforeach()
  configure_file("windows/fonts-${name}.conf.in" "${dir}/fonts.conf" @ONLY)
  set(quiravel_fonts_${name} "${dir}/fonts.conf" PARENT_SCOPE)
endfunction()
file(GLOB quiravel_setup_faces /usr/share/fonts/truetype/dejavu/*.ttf
  /usr/share/fonts/truetype/liberation/*.ttf)
quiravel_fonts_config(setup ${quiravel_setup_faces})
quiravel_fonts_config(tahoma /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf)

add_test(NAME windows.fonts_setup COMMAND windows_tst_fonts)
add_test(NAME windows.fonts_desktop COMMAND windows_tst_fonts)
# Only the faces: the widths and line heights of the renamed face are not Tahoma's.
add_test(NAME windows.fonts_tahoma COMMAND windows_tst_fonts fontFace faces)
set_tests_properties(windows.fonts_setup PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;QUIRAVEL_TEST_FONTS=setup;FONTCONFIG_FILE=${quiravel_fonts_setup}")
set_tests_properties(windows.fonts_desktop PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;QUIRAVEL_TEST_FONTS=desktop")
set_tests_properties(windows.fonts_tahoma PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;QUIRAVEL_TEST_FONTS=tahoma;FONTCONFIG_FILE=${quiravel_fonts_tahoma}")
set_tests_properties(windows.fonts_setup windows.fonts_desktop windows.fonts_tahoma PROPERTIES
  LABELS "offscreen;fonts" TIMEOUT 120 SKIP_RETURN_CODE 77)

# The same on a 1920x1080 desktop of another dpi. With Qt's scaling off (120 and 144 dpi) the
# fonts grow with the dpi and the layouts with them, and the texts still fit (the other
# functions measure in 96-dpi pixels or compare point sizes that whole pixels round). With it on
# (200 %: 192 dpi) Qt scales all it draws, and everything is as at 96 dpi.
function(quiravel_add_fonts_test name dpi scaling)
  set(screen "${CMAKE_CURRENT_BINARY_DIR}/screen-${dpi}dpi.json")
  file(WRITE "${screen}" "{\"screens\": [{\"name\": \"screen0\", \"x\": 0, \"y\": 0, \"width\": 1920, \"height\": 1080, \"logicalDpi\": ${dpi}, \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n")
  if(scaling)
    set(functions "")
    set(environment "QUIRAVEL_TEST_DPI=96")
  else()
    set(functions textFits resultFits)
    set(environment "QT_ENABLE_HIGHDPI_SCALING=0;QUIRAVEL_TEST_DPI=${dpi}")
  endif()
  add_test(NAME windows.fonts_${name} COMMAND windows_tst_fonts ${functions})
  set_tests_properties(windows.fonts_${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${screen};${environment};QUIRAVEL_TEST_FONTS=setup;FONTCONFIG_FILE=${quiravel_fonts_setup}"
    LABELS "offscreen;fonts" TIMEOUT 120)
endfunction()
quiravel_add_fonts_test(120dpi 120 OFF)
quiravel_add_fonts_test(144dpi 144 OFF)
quiravel_add_fonts_test(200percent 192 ON)
