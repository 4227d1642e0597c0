#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace batch {

// The lines of a text list and how they were read.
struct DecodedLines {
    QStringList lines;        // without their line breaks (CR LF, LF or CR)
    QString encoding;         // "UTF-8", "UTF-16LE", "UTF-16BE", "Windows-1250", "Windows-1251"
    QList<int> fallbackLines; // UTF-8 files: lines (from 1) that were not UTF-8, read as Windows-1250
};

// How the encoding of a text list is chosen, unless the user names one:
// - a byte order mark: UTF-8 or UTF-16 LE/BE;
// - valid UTF-8: UTF-8;
// - otherwise, if at least as many lines with bytes above 127 are valid
//   UTF-8 as are not, UTF-8, with the other lines read as Windows-1250;
// - otherwise a single-byte file: Windows-1251 when it looks like Cyrillic
//   text, else Windows-1250. Words are runs of letters (ASCII letters and
//   bytes above 127); a word of two or more bytes all above 127 is Cyrillic
//   in shape (in Windows-1251 every Cyrillic letter is such a byte), a word
//   with an ASCII letter is Latin. More Cyrillic-shaped words than Latin
//   ones make Windows-1251. Polish words always carry ASCII letters among
//   their ą, ę, ł…, so a Polish list stays Windows-1250.
// forced: empty, or a name accepted by encodingName(). Throws TableError
// (naming fileName) for an unknown name.
DecodedLines decodeLines(const QByteArray &bytes, const QString &forced, const QString &fileName);

// The canonical name of an encoding the user typed ("utf8", "cp1250",
// "windows-1251", "utf-16le"…); empty when it is not one we read.
QString encodingName(const QString &typed);

// The encodings --kodowanie accepts, for messages and help.
QString knownEncodings();

QString fromCp1251(const QByteArray &bytes);

} // namespace batch
