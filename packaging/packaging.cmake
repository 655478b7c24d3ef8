# SPDX-License-Identifier: GPL-3.0-or-later
# The install: the program with its songs and effects in one folder, a launcher on the
# PATH, the desktop entry, its icons and the AppStream metainfo. Included from
# src/window/CMakeLists.txt, where the quorvane target is defined.

set(QUORVANE_APP_ID org.quorvane.Quorvane)  # matches QGuiApplication::setDesktopFileName
if(NOT QUORVANE_PROGRAM_DIR)
  set(QUORVANE_PROGRAM_DIR lib/quorvane)  # the songs and effects go here too (assets/)
endif()
if(NOT QUORVANE_MONSTER_PICTURE)
  set(QUORVANE_MONSTER_PICTURE ${PROJECT_SOURCE_DIR}/assets/pictures/monster.xpm)
endif()
get_filename_component(monster_dir ${QUORVANE_MONSTER_PICTURE} DIRECTORY)
set(monster_small ${monster_dir}/monster16.xpm)

add_executable(quorvane-make-icons ${CMAKE_CURRENT_LIST_DIR}/make_icons.cpp)
target_link_libraries(quorvane-make-icons PRIVATE Qt6::Gui)
set_target_properties(quorvane-make-icons PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(icon_dir ${CMAKE_BINARY_DIR}/packaging/icons)
set(icon_files)
foreach(size 16 32 48 64 128 256)
  list(APPEND icon_files ${icon_dir}/hicolor/${size}x${size}/apps/${QUORVANE_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND quorvane-make-icons ${QUORVANE_MONSTER_PICTURE} ${monster_small} ${icon_dir} ${QUORVANE_APP_ID}
  DEPENDS quorvane-make-icons ${QUORVANE_MONSTER_PICTURE} ${monster_small}
  COMMENT "Scaling the monster picture to the desktop icons"
  VERBATIM)
add_custom_target(quorvane_icons ALL DEPENDS ${icon_files})

install(TARGETS quorvane RUNTIME DESTINATION ${QUORVANE_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/quorvane.sh DESTINATION bin RENAME quorvane)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVANE_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${QUORVANE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${icon_dir}/hicolor DESTINATION share/icons)
