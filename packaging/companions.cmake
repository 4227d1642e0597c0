# The editor and its companion programs (notes, terminy, archiwizator) live
# in a private folder, where the editor's program search (its own folder
# first) finds them without putting such generic names on PATH; dyplom in
# /usr/bin is a link to the editor there.
set(DYPLOM_PRIVATE_DIR ${CMAKE_INSTALL_LIBEXECDIR}/dyplom)
install(TARGETS dyplom notes terminy archiwizator RUNTIME DESTINATION ${DYPLOM_PRIVATE_DIR})

file(RELATIVE_PATH editor_link_target /usr/${CMAKE_INSTALL_BINDIR} /usr/${DYPLOM_PRIVATE_DIR}/dyplom)
set(editor_link ${CMAKE_CURRENT_BINARY_DIR}/link/dyplom)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/link)
file(CREATE_LINK ${editor_link_target} ${editor_link} SYMBOLIC)
install(FILES ${editor_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

# Their man pages carry the package's prefix, not the generic names.
set(companion_man_files)
foreach(page dyplom-archiwizator dyplom-notes dyplom-terminy)
  configure_file(${page}.1 ${CMAKE_CURRENT_BINARY_DIR}/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${page}.1.gz
    COMMAND gzip -9n -c ${page}.1 > ${page}.1.gz
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${page}.1)
  list(APPEND companion_man_files ${CMAKE_CURRENT_BINARY_DIR}/${page}.1.gz)
endforeach()
add_custom_target(companion_man_pages ALL DEPENDS ${companion_man_files})
install(FILES ${companion_man_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
