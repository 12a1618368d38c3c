# A manual page for each program, made by help2man from the program's own
# --help and --version, so that it never says other than the program does.
find_program(HELP2MAN help2man REQUIRED)
include(GNUInstallDirs)

function(torvale_manual_page program description)
  set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --section=1 --name=${description}
            --output=${page} $<TARGET_FILE:${program}>
    DEPENDS ${program}
    COMMENT "The manual page of ${program}"
    VERBATIM)
  add_custom_target(${program}-manual ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

torvale_manual_page(torvale "edit the game data of a Final Fantasy II (US) ROM image")
torvale_manual_page(torvale-cli "read, compare, patch and merge Final Fantasy II (US) ROM images")
