# The Debian package: `cpack -G DEB` in a build tree (scripts/package does it all). The runtime
# dependencies are computed from the installed binaries by dpkg-shlibdeps; only what no binary
# links is named here: the fonts the PDF reports embed.
set(CPACK_PACKAGE_NAME "lorvan")
set(CPACK_PACKAGE_VENDOR "Lorvan")
set(CPACK_PACKAGE_CONTACT "Lorvan <support@lorvan.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Working-time calculator for the self-employed and small firms")
set(CPACK_PACKAGE_DESCRIPTION
    "Lorvan keeps each employee's working days and time lines per year and turns them into target
and actual hours, overtime with surcharges, the working-time account, vacation, sickness, wages
and costs. It keeps employees, customers, services and vehicles, imports clock files, closes
months with the payroll booking files, prints every report and exports report tables to a
spreadsheet. lorvan-cli runs every flow without a screen.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "lorvan")
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # lorvan_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.lorvan.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# The toolkit's own dialog texts in German and the desktop's file-type database.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
