#pragma once
#include "batch/table/Spreadsheet.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Spreadsheet files for the reader tests, written by independent libraries
// (sheetwriter.py: openpyxl, odfpy, xlwt), and the reader's two outcomes.
namespace sheetfiles {

inline QByteArray written(const QString &format, const QVariantList &sheets)
{
    QTemporaryDir dir;
    const QVariantMap spec{{QStringLiteral("format"), format}, {QStringLiteral("sheets"), sheets}};
    QFile specFile(dir.filePath(QStringLiteral("spec.json")));
    if (!specFile.open(QIODevice::WriteOnly))
        return {};
    specFile.write(QJsonDocument::fromVariant(spec).toJson());
    specFile.close();
    const QString out = dir.filePath(QStringLiteral("lista.") + format);
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/tests/spreadsheets/sheetwriter.py"),
                  specFile.fileName(), out});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning("sheetwriter: %s", python.readAllStandardError().constData());
        return {};
    }
    QFile f(out);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A sheet of one row (a braced list alone would be taken for the rows).
inline QVariantList oneRow(const QVariantList &cells)
{
    return QVariantList{QVariant(cells)};
}

inline QVariantMap sheet(const QString &name, const QVariantList &rows)
{
    return {{QStringLiteral("name"), name}, {QStringLiteral("rows"), rows}};
}

// The error message of reading bytes, or "" when they were read.
inline QString refusal(const QByteArray &bytes, const batch::ReadLimits &limits = {}, const QString &sheetName = {})
{
    batch::ReadOptions options;
    options.sheet = sheetName;
    try {
        batch::readSpreadsheet(bytes, QStringLiteral("klasa.plik"), options, limits);
    } catch (const batch::TableError &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

inline batch::Table read(const QByteArray &bytes, const QString &sheetName = {}, const batch::ReadLimits &limits = {})
{
    batch::ReadOptions options;
    options.sheet = sheetName;
    return batch::readSpreadsheet(bytes, QStringLiteral("klasa.plik"), options, limits);
}

} // namespace sheetfiles
