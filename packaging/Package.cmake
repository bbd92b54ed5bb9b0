# The Debian package, built by CPack from the install rules
# (scripts/package.sh runs `cpack -G DEB` in its build folder).
# Library dependencies (Qt and what it needs) come from dpkg-shlibdeps; the
# Japanese fonts are named here because the program only asks for them by
# name at run time (ui/Fonts.cpp: IPA faces first, Noto CJK second).
set(CPACK_PACKAGE_NAME tellumo)
set(CPACK_PACKAGE_VENDOR "Ostrevan")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "questionnaire that judges how easily mosquitoes bite you")
set(CPACK_PACKAGE_DESCRIPTION
    "Tellumo asks for a few personal details and nineteen questions about\n\
constitution, sweating, sensitivity to heat and cold and digestion, then\n\
shows a score out of 100, one of four bite-susceptibility classes, the\n\
constitution type, BMI and obesity degree, and advice on keeping\n\
mosquitoes away. The program is in Japanese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${TELLUMO_MAKER_URL}/")
set(CPACK_PACKAGE_CONTACT "${TELLUMO_PROGRAMMER_EMAIL}")
set(CPACK_STRIP_FILES ON)

# Elsewhere a plain archive of the installed tree (on Windows with the Qt
# libraries that app/CMakeLists.txt deploys next to the program).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
    set(CPACK_GENERATOR ZIP)
endif()
# Packaged straight from this tree, so a native package: the version has no
# Debian revision and the change log (packaging/doc) is the package's own.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tellumo developers <${TELLUMO_PROGRAMMER_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")

include(CPack)
