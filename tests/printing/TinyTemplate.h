#pragma once
#include <QByteArray>
#include <QtEndian>
#include <initializer_list>

// A small placeable metafile written byte by byte: an A4 frame (0.1 mm
// units) with a red rectangle border and an inner rule, drawn as vectors.
inline QByteArray tinyTemplateBytes()
{
    QByteArray out;
    const auto u16 = [&](int v) {
        const quint16 le = qToLittleEndian<quint16>(quint16(v));
        out.append(reinterpret_cast<const char *>(&le), 2);
    };
    const auto u32 = [&](quint32 v) {
        const quint32 le = qToLittleEndian<quint32>(v);
        out.append(reinterpret_cast<const char *>(&le), 4);
    };
    const auto record = [&](int function, std::initializer_list<int> params) {
        u32(quint32(3 + params.size()));
        u16(function);
        for (int p : params)
            u16(p);
    };

    // Placeable header with its checksum over the first ten words.
    u32(0x9AC6CDD7u);
    u16(0);
    u16(0), u16(0), u16(2100), u16(2970);
    u16(254);
    u32(0);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= quint16(quint8(out[i]) | quint8(out[i + 1]) << 8);
    u16(sum);

    const int headerAt = out.size();
    u16(1), u16(9), u16(0x0300);
    u32(0); // size in words, patched below
    u16(2); // objects
    u32(8); // largest record
    u16(0);

    record(0x0103, {8});                        // SetMapMode anisotropic
    record(0x020B, {0, 0});                     // SetWindowOrg
    record(0x020C, {2970, 2100});               // SetWindowExt (y, x)
    record(0x02FA, {0, 20, 0, 0x00FF, 0x0000}); // CreatePenIndirect solid 20 red
    record(0x012D, {0});                        // SelectObject pen
    record(0x02FC, {1, 0, 0, 0});               // CreateBrushIndirect hollow
    record(0x012D, {1});                        // SelectObject brush
    record(0x041B, {2870, 2000, 100, 100});     // Rectangle (bottom, right, top, left)
    record(0x041B, {2820, 1950, 150, 150});
    record(0x0000, {}); // EOF

    const quint32 words = quint32((out.size() - headerAt) / 2);
    const quint32 le = qToLittleEndian<quint32>(words);
    out.replace(headerAt + 6, 4, reinterpret_cast<const char *>(&le), 4);
    return out;
}
