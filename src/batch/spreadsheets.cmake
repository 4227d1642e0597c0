# The spreadsheet readers of the batch library (.xlsx, .ods, .xls).
target_sources(batch PRIVATE
  table/Spreadsheet.h table/Spreadsheet.cpp
)
