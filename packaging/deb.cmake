# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by `cpack` in a build folder: quorvane_VERSION_ARCH.deb with
# what the install puts under /usr. Its Depends come from the program's shared libraries
# (dpkg-shlibdeps), plus what the program loads without linking it: Qt's platform
# plugins, without which no window opens, and a General MIDI SoundFont for the songs.

set(QUORVANE_MAINTAINER "The Quorvane developers <developers@quorvane.org>"
    CACHE STRING "The Debian package's Maintainer field")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QUORVANE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_CUSTOM_INSTALL_VARIABLES QUORVANE_LAUNCHER_DIR=games)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small arcade game in an office full of bouncing computers")
set(CPACK_PACKAGE_DESCRIPTION
"Quorvane is a small arcade game. You are a smiling face in an office seen from
above; six grobbles, small desktop computers, drift around and bounce off the
walls. Steer with the arrow keys and fire lightning bolts with the space bar.

Clear all six to reach the next level, where they come back faster. From level
2 on they throw keyboards at you, and each one that hits costs health. The ten
best scores are kept with the names of their players.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
