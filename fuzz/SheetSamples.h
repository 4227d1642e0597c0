#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Spreadsheets made byte by byte, for the reader tests, the fuzz seeds and
// the benchmark: the parts a reader needs and nothing else, so each case can
// say exactly what is in the file, including what no office suite writes.
namespace sheetsamples {

struct ZipPart {
    ZipPart(QByteArray name, QByteArray data, bool deflate = true, qint64 declaredSize = -1, QByteArray rawDeflate = {},
            quint32 unixMode = 0)
        : name(std::move(name)), data(std::move(data)), deflate(deflate), declaredSize(declaredSize),
          rawDeflate(std::move(rawDeflate)), unixMode(unixMode)
    {}
    QByteArray name;
    QByteArray data;
    bool deflate = true;
    qint64 declaredSize = -1; // the uncompressed size the archive claims; -1: the true one
    QByteArray rawDeflate;    // when set: the compressed bytes, data only gives the CRC
    quint32 unixMode = 0;     // st_mode as a Unix zip records it (links, FIFOs); 0: none
};
QByteArray zip(const QList<ZipPart> &parts);

// Raw deflate bytes that inflate to head followed by piece `times` times,
// made in microseconds however large the result (a zip bomb's payload).
QByteArray repeatedDeflate(const QByteArray &head, const QByteArray &piece, qint64 times);

// An .xlsx whose first sheet's <sheetData> holds sheetData, with the shared
// strings given; styles (cellXfs) and a second sheet optional.
struct Xlsx {
    QByteArray sheetData;
    QStringList shared;
    QByteArray styles;      // the whole styles part, or empty for none
    QByteArray workbookPr;  // e.g. <workbookPr date1904="1"/>
    QByteArray sheetPrefix; // anything before <worksheet> (an XML declaration, a DTD)
};
QByteArray xlsx(const Xlsx &x);
// Rows of text in shared strings; cells that look like numbers as numbers.
QByteArray xlsxRows(const QList<QStringList> &rows);

// An .ods whose content.xml body (inside office:spreadsheet) is tables,
// after office:automatic-styles when given.
QByteArray ods(const QByteArray &tables, const QByteArray &prefix = {}, const QByteArray &styles = {});
QByteArray odsRows(const QList<QStringList> &rows, const QString &sheet = QStringLiteral("Arkusz1"));

// A class list of n pupils: header Imię, Nazwisko, Klasa, Punkty.
QList<QStringList> classList(int n);

// Seeds for the fuzz targets.
std::vector<QByteArray> xlsxSeeds();
std::vector<QByteArray> odsSeeds();

} // namespace sheetsamples
