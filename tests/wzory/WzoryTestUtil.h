#pragma once
#include "FileBytes.h"

#include <QDir>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QtEndian>
#include <cmath>
#include <vector>

namespace wzorytest {

// A metafile's records as (function, parameter bytes), placeable header skipped.
struct Record {
    quint16 function = 0;
    QByteArray params;
};

inline std::vector<Record> records(const QByteArray &mf)
{
    std::vector<Record> out;
    qsizetype at = qFromLittleEndian<quint32>(mf.constData()) == 0x9AC6CDD7u ? 22 : 0;
    at += qsizetype(qFromLittleEndian<quint16>(mf.constData() + at + 2)) * 2;
    while (at + 6 <= mf.size()) {
        const quint32 words = qFromLittleEndian<quint32>(mf.constData() + at);
        const quint16 function = qFromLittleEndian<quint16>(mf.constData() + at + 4);
        if (words < 3 || function == 0 || at + qsizetype(words) * 2 > mf.size())
            break;
        out.push_back({function, mf.mid(at + 6, qsizetype(words) * 2 - 6)});
        at += qsizetype(words) * 2;
    }
    return out;
}

inline qint16 s16(const QByteArray &b, int at)
{
    return qFromLittleEndian<qint16>(b.constData() + at);
}

// The pixels of a StretchDIB record's 24- or 8-bit uncompressed bitmap.
inline QImage stretchDibImage(const Record &r)
{
    const QByteArray &p = r.params;
    const int dib = 22;
    const int w = qFromLittleEndian<qint32>(p.constData() + dib + 4);
    const int h = qFromLittleEndian<qint32>(p.constData() + dib + 8);
    const int bits = qFromLittleEndian<quint16>(p.constData() + dib + 14);
    const int colours = bits <= 8 ? 1 << bits : 0;
    const int stride = ((w * bits + 31) / 32) * 4;
    const char *data = p.constData() + dib + 40 + colours * 4;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const uchar *row = reinterpret_cast<const uchar *>(data + qsizetype(h - 1 - y) * stride);
        for (int x = 0; x < w; ++x) {
            if (bits == 24)
                img.setPixel(x, y, qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
            else {
                const uchar *c = reinterpret_cast<const uchar *>(p.constData() + dib + 40 + row[x] * 4);
                img.setPixel(x, y, qRgb(c[2], c[1], c[0]));
            }
        }
    }
    return img;
}

// Mean absolute channel difference (0..1) of two images scaled to w x h.
inline double meanDifference(const QImage &a, const QImage &b, int w, int h)
{
    const QImage sa = a.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    const QImage sb = b.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = sa.pixel(x, y), q = sb.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (double(w) * h * 3 * 255);
}

// Every file of a folder with its bytes, hidden ones included.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> out;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        out.insert(name, readBytes(QDir(folder).filePath(name)));
    return out;
}

inline quint32 crc32(const QByteArray &data)
{
    quint32 c = 0xFFFFFFFFu;
    for (char ch : data) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// A PNG from its IHDR (an 8-bit RGB image of width x height) and IDAT data.
inline QByteArray pngWithData(quint32 width, quint32 height, const QByteArray &idat)
{
    const auto chunk = [](const QByteArray &type, const QByteArray &data) {
        QByteArray c(4, '\0');
        qToBigEndian<quint32>(quint32(data.size()), c.data());
        c += type + data;
        QByteArray crc(4, '\0');
        qToBigEndian<quint32>(crc32(type + data), crc.data());
        return c + crc;
    };
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(width, ihdr.data());
    qToBigEndian<quint32>(height, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth
    ihdr[9] = 2; // RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", idat) + chunk("IEND", {});
}

// A PNG whose header promises width x height pixels, with a token of data.
inline QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    return pngWithData(width, height, QByteArray::fromHex("789c030000000001"));
}

} // namespace wzorytest
