#pragma once
#include "batch/table/Table.h"
#include "editor/DiplomaDocument.h"

#include <QStringList>

namespace batch {

// How far down a register export may put its header (a title, a date, a
// blank-celled line above it).
constexpr int HeaderSearchRows = 10;

// Whether a row holds a header: a cell that is a known header or names a
// field of the diploma.
bool isHeaderRow(const QStringList &cells, const QStringList &fieldNames);

// The first of the table's first HeaderSearchRows rows that is a header;
// -1 when none is.
int headerRowOf(const Table &table, const QStringList &fieldNames);

// The warning for the rows above the header, each named by its line and
// first cells: "lista.csv: wiersz 1 nad nagłówkiem (wiersz 2) pominięty: „Lista uczniów…”".
QString rowsAboveHeaderWarning(const Table &table, int headerRow, const QString &listName);

// The field names a diploma's texts hold (a text with a brace left open adds none).
QStringList fieldNamesOf(const editor::DiplomaTexts &texts);

} // namespace batch
