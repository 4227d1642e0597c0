#pragma once
#include "platform/IoError.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// Whole files in and out of tests.

// The file's bytes; a file that cannot be opened gives ifUnreadable.
inline QByteArray readBytes(const QString &path, const QByteArray &ifUnreadable = QByteArray())
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : ifUnreadable;
}

// The file's bytes, with a missing file never passing for an empty one.
inline QByteArray readBytesOrMissing(const QString &path)
{
    return readBytes(path, QByteArrayLiteral("<missing>"));
}

// Replaces the file's content; a failure fails the running test.
inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

// Runs fn and gives back the code of the platform::IoError it raised (0: none).
template <typename Fn>
int ioErrorCodeOf(Fn &&fn)
{
    try {
        fn();
    } catch (const platform::IoError &e) {
        return e.code();
    }
    return 0;
}
