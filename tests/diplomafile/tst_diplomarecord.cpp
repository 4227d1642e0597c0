#include "diplomafile/DiplomaRecord.h"
#include "platform/Cp1250.h"
#include "platform/IoError.h"

#include "StartupDiploma.h"

#include <QRandomGenerator>
#include <QtTest>

using diplomafile::buildDiplomaRecord;
using diplomafile::DiplomaContent;
using diplomafile::parseDiplomaRecord;
using editor::TextBlockStyle;

namespace {

DiplomaContent startupContent()
{
    DiplomaContent c;
    startupdiploma::setStyles(c);
    c.templateNumber = 1;
    return c;
}

void put(QByteArray &b, int offset, std::initializer_list<int> bytes)
{
    for (int v : bytes)
        b[offset++] = char(v);
}

// Reports the first differing offset rather than two 1064-byte dumps.
void compareBytes(const QByteArray &actual, const QByteArray &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i)
        if (actual.at(i) != expected.at(i))
            QFAIL(qPrintable(QStringLiteral("offset %1: 0x%2, expected 0x%3")
                                 .arg(i)
                                 .arg(quint8(actual.at(i)), 2, 16, QLatin1Char('0'))
                                 .arg(quint8(expected.at(i)), 2, 16, QLatin1Char('0'))));
}

// Windows-1250 bytes that decode to a character and back (no holes, no NUL).
QByteArray mappableBytes()
{
    QByteArray out;
    for (int b = 1; b < 256; ++b)
        if (b != 0x81 && b != 0x83 && b != 0x88 && b != 0x90 && b != 0x98)
            out.append(char(b));
    return out;
}

} // namespace

class TestDiplomaRecord : public QObject {
    Q_OBJECT
private slots:
    void startupDocumentEveryByte()
    {
        QByteArray expected(1064, '\0');
        for (int at : {0, 124, 252}) {
            expected[at] = 0x0F;
            expected.replace(at + 1, 15, "Times New Roman");
        }
        put(expected, 104, {0x30, 0, 0, 0});
        put(expected, 116, {0x50, 0, 0, 0});
        put(expected, 120, {0x3C, 0, 0, 0});
        put(expected, 228, {0x1A, 0, 0, 0});
        put(expected, 240, {0x32, 0, 0, 0});
        put(expected, 244, {0x78, 0, 0, 0});
        put(expected, 248, {0x01, 0, 0, 0});
        put(expected, 356, {0x1A, 0, 0, 0});
        put(expected, 368, {0x32, 0, 0, 0});
        put(expected, 372, {0x64, 0, 0, 0});
        compareBytes(buildDiplomaRecord(startupContent()), expected);
        QCOMPARE(parseDiplomaRecord(expected), startupContent());
    }

    void fieldsAtTheirOffsets()
    {
        DiplomaContent c = startupContent();
        c.heading.colour = editor::WindowTextColour;
        c.body.colour = 0x00FF0000; // blue
        c.recipient.style = editor::FontStyle::Underline | editor::FontStyle::StrikeOut;
        c.body.left = -7;
        c.recipient.top = INT32_MIN;
        c.templateNumber = 0x01020304;
        c.texts.heading = QStringLiteral("H");
        c.texts.recipient = QStringLiteral("R");
        for (int i = 0; i < 6; ++i)
            c.texts.body[i] = QString(QChar(u'1' + i));
        const QByteArray r = buildDiplomaRecord(c);
        QCOMPARE(r.mid(108, 4), QByteArray("\x08\x00\x00\xFF", 4));
        QCOMPARE(r.mid(232, 4), QByteArray("\x00\x00\xFF\x00", 4));
        QCOMPARE(int(r.at(364)), 12);
        QCOMPARE(r.mid(240, 4), QByteArray("\xF9\xFF\xFF\xFF", 4));
        QCOMPARE(r.mid(372, 4), QByteArray("\x00\x00\x00\x80", 4));
        QCOMPARE(r.mid(248, 4), QByteArray("\x04\x03\x02\x01", 4));
        QCOMPARE(r.mid(376, 2), QByteArray("\x01H", 2));
        QCOMPARE(r.mid(407, 2), QByteArray("\x01R", 2));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(r.mid(458 + 101 * i, 2), QByteArray("\x01") + char('1' + i));
        QCOMPARE(parseDiplomaRecord(r), c);
    }

    void textsCutToCapacity_data()
    {
        QTest::addColumn<int>("field"); // 0 heading, 1 recipient, 2..7 body, 8 body font
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        QTest::newRow("heading 35") << 0 << 376 << 30;
        QTest::newRow("recipient") << 1 << 407 << 50;
        QTest::newRow("body line 1") << 2 << 458 << 100;
        QTest::newRow("body line 6") << 7 << 963 << 100;
        QTest::newRow("body font name") << 8 << 124 << 100;
    }
    void textsCutToCapacity()
    {
        QFETCH(int, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        QString text;
        for (int i = 0; i < capacity + 5; ++i)
            text.append(QChar(u'a' + i % 26));
        DiplomaContent c = startupContent();
        QString *slot = field == 0   ? &c.texts.heading
                        : field == 1 ? &c.texts.recipient
                        : field == 8 ? &c.body.fontName
                                     : &c.texts.body[field - 2];
        *slot = text;
        const QByteArray r = buildDiplomaRecord(c);
        QCOMPARE(int(quint8(r.at(offset))), capacity);
        QCOMPARE(r.mid(offset + 1, capacity), text.left(capacity).toLatin1());
        const DiplomaContent back = parseDiplomaRecord(r);
        *slot = text.left(capacity);
        QCOMPARE(back, c);
    }

    void emptyTextIsLengthZeroAndZeros()
    {
        DiplomaContent c = startupContent();
        c.texts.recipient = QString();
        const QByteArray r = buildDiplomaRecord(c);
        QCOMPARE(r.mid(407, 51), QByteArray(51, '\0'));
    }

    void polishLetters()
    {
        DiplomaContent c = startupContent();
        c.texts.heading = QStringLiteral("ż");
        QCOMPARE(buildDiplomaRecord(c).mid(376, 2), QByteArray("\x01\xBF", 2));

        const QString thirty = QStringLiteral("Zażółć gęślą jaźń ŻÓŁĆ ĄĘŚŃŹŻŁ");
        QCOMPARE(thirty.size(), 30);
        c.texts.heading = thirty;
        const QByteArray r = buildDiplomaRecord(c);
        QCOMPARE(int(r.at(376)), 30);
        QCOMPARE(parseDiplomaRecord(r).texts.heading, thirty);

        // A character outside the code page is stored as "?".
        c.texts.heading = QStringLiteral("a☃b");
        QCOMPARE(buildDiplomaRecord(c).mid(376, 4), QByteArray("\x03"
                                                               "a?b",
                                                               4));
    }

    void randomRecordsRoundTrip()
    {
        QRandomGenerator rng(20261207);
        const QByteArray alphabet = mappableBytes();
        auto text = [&](int capacity) {
            QByteArray bytes;
            const int n = rng.bounded(capacity + 1);
            for (int i = 0; i < n; ++i)
                bytes.append(alphabet.at(rng.bounded(int(alphabet.size()))));
            return platform::fromCp1250(bytes);
        };
        auto block = [&] {
            TextBlockStyle s;
            s.fontName = text(100);
            s.size = std::int32_t(rng.generate());
            s.colour = rng.generate();
            s.style = quint8(rng.bounded(16));
            s.left = std::int32_t(rng.generate());
            s.top = std::int32_t(rng.generate());
            return s;
        };
        for (int n = 0; n < 500; ++n) {
            DiplomaContent c;
            c.heading = block();
            c.body = block();
            c.templateNumber = std::int32_t(rng.generate());
            c.recipient = block();
            c.texts.heading = text(30);
            c.texts.recipient = text(50);
            for (QString &line : c.texts.body)
                line = text(100);
            const QByteArray r = buildDiplomaRecord(c);
            QCOMPARE(r.size(), 1064);
            QCOMPARE(parseDiplomaRecord(r), c);
        }
    }

    void insignificantBytesIgnoredAndWrittenAsZero()
    {
        DiplomaContent c = startupContent();
        c.texts.heading = QStringLiteral("Dyplom");
        c.heading.style = editor::FontStyle::Bold;
        const QByteArray clean = buildDiplomaRecord(c);
        QByteArray dirty = clean;
        auto fill = [&](int from, int count) { dirty.replace(from, count, QByteArray(count, '\xAA')); };
        for (int block : {0, 124, 252}) {
            fill(block + 16, 85);                                    // after the face name
            fill(block + 101, 3);                                    // reserved
            fill(block + 113, 3);                                    // reserved
            dirty[block + 112] = char(dirty.at(block + 112) | 0xF0); // style bits 4..7
        }
        fill(376 + 7, 24);
        fill(407 + 1, 50);
        const DiplomaContent back = parseDiplomaRecord(dirty);
        QCOMPARE(back, c);
        QCOMPARE(buildDiplomaRecord(back), clean);

        c.recipient.style = 0xFF; // only the four flags reach the file
        QCOMPARE(int(buildDiplomaRecord(c).at(364)), 0x0F);
    }

    void lengthByteAboveCapacityIsCut()
    {
        QByteArray r = buildDiplomaRecord(startupContent());
        r.replace(377, 30, QByteArray(30, 'x'));
        r[376] = char(255);
        r[963] = char(255); // last field: must not read past byte 1064
        r.replace(964, 100, QByteArray(100, 'y'));
        const DiplomaContent c = parseDiplomaRecord(r);
        QCOMPARE(c.texts.heading, QString(30, u'x'));
        QCOMPARE(c.texts.body[5], QString(100, u'y'));
        r.append(QByteArray(50, 'z'));
        QCOMPARE(parseDiplomaRecord(r).texts.body[5], QString(100, u'y'));
    }

    void onlyTheFirst1064BytesAreRead()
    {
        const QByteArray r = buildDiplomaRecord(startupContent());
        QCOMPARE(parseDiplomaRecord(r + QByteArray(3000, '\x7F')), startupContent());
    }

    void shortRecordIsReadBeyondEnd()
    {
        const QByteArray r = buildDiplomaRecord(startupContent());
        try {
            parseDiplomaRecord(r.left(1063));
            QFAIL("no error");
        } catch (const platform::IoError &e) {
            QCOMPARE(e.code(), 100);
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Read beyond end of file"));
        }
    }
};

QTEST_GUILESS_MAIN(TestDiplomaRecord)
#include "tst_diplomarecord.moc"
