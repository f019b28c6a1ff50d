# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` or the `package` target of a Release
# build. Included from the top-level CMakeLists so that CPack sees the whole
# project's install rules.
set(SODWRIGHT_PACKAGE_MAINTAINER "Sodwright maintainers <maintainers@sodwright.example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(SODWRIGHT_HOMEPAGE "https://sodwright.example.org"
    CACHE STRING "Project web site; the AppStream screenshots are published under its screenshots/")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sodwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Sodwright authors")
set(CPACK_PACKAGE_CONTACT "${SODWRIGHT_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "models of how tillage moves soil on farm fields")
set(CPACK_PACKAGE_DESCRIPTION
"Sodwright is a desktop program for soil scientists and agronomists who
study tillage erosion. It offers three models behind one start-up chooser:
KOLV simulates tillage operation by operation along a measured transect and
follows two soil layers and a surface-applied substance; NIBAL computes the
on-site tillage erosion rate at every node of an elevation grid; BANDO rates
the risk of tillage erosion of a field.
.
The package holds the desktop program, the headless runner sodwright-batch,
the user guide and example data.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SODWRIGHT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SODWRIGHT_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module (lib/python3/dist-packages/sodwright) is built for
# Debian's Python 3.11 and takes numpy arrays; its worked example reads the
# DEM with GDAL's bindings and plots with matplotlib.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-gdal, python3-matplotlib")
# Reports open in the desktop's text editor and the guide in its browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
