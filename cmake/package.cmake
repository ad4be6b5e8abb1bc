# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by CPack from the install rules (install.cmake,
# included before this file): scripts/package.sh builds it.  Its Depends line
# is worked out by dpkg-shlibdeps from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME arborix)
set(CPACK_PACKAGE_VERSION ${ARBORIX_VERSION})
set(CPACK_PACKAGE_VENDOR "The ARBORIX developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "average the monthly climate records of many stations")
# The long description, as its lines stand in the control file.
set(CPACK_PACKAGE_DESCRIPTION [[
ARBORIX averages the monthly climate records of many stations into one
averaged climate record. One run reads a data file of any number of
series, each a title line and one line per year with twelve monthly
values, and writes the series titles, every series' means and standard
deviations, the grand values and the averaged record, one line per year.
A climate mask chooses single months, seasons as sums or averages, and
lagged or leading variables over climatic years of up to 60 months, as
used in dendroclimatology. Three averaging methods: straight, mean
adjusted, and mean and variance adjusted.

The package holds the program in its own window (arborix) and on a
terminal (arborix-term), arborix-import that turns downloaded station
files (GHCN-Monthly, Met Office, KNMI, ECA&D, Berkeley Earth, CRUTEM,
nClimDiv, CSV) into its data file, with their manual pages and real
station data to try them on.]])
set(CPACK_RESOURCE_FILE_LICENSE ${arb_top}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The ARBORIX developers <maintainers@arborix.invalid>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
