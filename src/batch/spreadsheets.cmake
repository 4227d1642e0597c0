# The spreadsheet readers of the batch library (.xlsx, .ods, .xls): libzip
# opens the zip container of .xlsx and .ods, Qt's XML stream reader reads the
# parts inside, libfreexl reads legacy .xls.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
pkg_check_modules(FREEXL REQUIRED IMPORTED_TARGET freexl)
target_sources(batch PRIVATE
  table/Spreadsheet.h table/Spreadsheet.cpp
  table/CellText.h table/CellText.cpp
  table/SheetRows.h table/SheetRows.cpp
  table/ZipEntries.h table/ZipEntries.cpp
  table/XmlPart.h table/XmlPart.cpp
  table/XlsxReader.h table/XlsxReader.cpp
  table/OdsReader.h table/OdsReader.cpp
  table/XlsReader.h table/XlsReader.cpp
)
target_link_libraries(batch PRIVATE PkgConfig::LIBZIP PkgConfig::FREEXL)
