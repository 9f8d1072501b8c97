# The Debian package (cpack -G DEB, scripts/package). Its dependencies come from the shared
# libraries the programs link (dpkg-shlibdeps: libqt6*, libxlsxwriter, libpq, libsqlite3 ...).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trackquery)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "trackquery maintainers <maintainers@users.noreply.c-seed-128df011.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "full-course tracking of ERP task orders and sales orders")
# CPack puts the summary first and indents the rest; an empty line becomes Debian's " .".
set(CPACK_PACKAGE_DESCRIPTION
"trackquery follows production task orders (ordinary, repetitive, outsourced)
and sales or export orders of an ERP database (SQLite or PostgreSQL) through
their whole course: the bills made from them and the items they need.

This package holds the terminal program trackquery, the desktop program
trackquery-gui with its start window and connection profiles, their language
files (simplified and traditional Chinese, English) and the ERP schema.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese captions need a font that has them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql-client")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
