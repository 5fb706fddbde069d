# The layouts' fonts (tst_fonts.cpp), one test program run under three font configurations:
#   windows.fonts_setup    only the fonts the set-up installs (fonts-setup.conf);
#   windows.fonts_desktop  the system's own, with a typical desktop's extra fonts
#                          (fonts-noto-core) present; skipped without them;
#   windows.fonts_tahoma   the system's own plus a face named Tahoma (fonts-tahoma.conf.in: DejaVu
#                          Serif renamed as it is scanned), standing for a desktop that has one.
qt_add_executable(windows_tst_fonts windows/tst_fonts.cpp)
target_link_libraries(windows_tst_fonts PRIVATE quiravel_windows Qt6::Test)

set(quiravel_tahoma_dir "${CMAKE_CURRENT_BINARY_DIR}/fonts-tahoma")
file(MAKE_DIRECTORY "${quiravel_tahoma_dir}/fonts")
foreach(face IN ITEMS DejaVuSerif DejaVuSerif-Bold)
  file(CREATE_LINK "/usr/share/fonts/truetype/dejavu/${face}.ttf"
    "${quiravel_tahoma_dir}/fonts/${face}.ttf" SYMBOLIC)
endforeach()
configure_file(windows/fonts-tahoma.conf.in "${quiravel_tahoma_dir}/fonts.conf" @ONLY)

add_test(NAME windows.fonts_setup COMMAND windows_tst_fonts)
add_test(NAME windows.fonts_desktop COMMAND windows_tst_fonts)
# Only the faces: the widths and line heights of the renamed face are not Tahoma's.
add_test(NAME windows.fonts_tahoma COMMAND windows_tst_fonts fontFace faces)
set_tests_properties(windows.fonts_setup PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;QUIRAVEL_TEST_FONTS=setup;FONTCONFIG_FILE=${CMAKE_CURRENT_SOURCE_DIR}/windows/fonts-setup.conf")
set_tests_properties(windows.fonts_desktop PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;QUIRAVEL_TEST_FONTS=desktop")
set_tests_properties(windows.fonts_tahoma PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;QUIRAVEL_TEST_FONTS=tahoma;FONTCONFIG_FILE=${quiravel_tahoma_dir}/fonts.conf")
set_tests_properties(windows.fonts_setup windows.fonts_desktop windows.fonts_tahoma PROPERTIES
  LABELS "offscreen;fonts" TIMEOUT 120 SKIP_RETURN_CODE 77)
