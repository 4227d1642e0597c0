#pragma once
#include "Table.h"
#include "ZipEntries.h"

#include <QXmlStreamReader>

#include <memory>

// One XML part of a zip read as a stream of tokens, fed piece by piece. What
// a spreadsheet never needs is refused: a DTD (the door to entity tricks),
// entity references, nesting deeper than any sheet uses, and stretches of
// text or attributes far longer than a cell may be.
namespace batch {

class XmlPart {
public:
    // maxRun: the longest stretch of bytes without '<' accepted.
    XmlPart(ZipEntries &zip, const QString &entry, qint64 maxRun);
    // Room for the longest cell, each character written as a character
    // reference (&#x1F600; is 10 bytes for 2 UTF-16 units), and some.
    static qint64 maxRunFor(const ReadLimits &limits) { return 64 * 1024 + 12 * qint64(limits.maxCellChars); }

    // The next token; EndDocument at the end. Throws TableError on any problem.
    QXmlStreamReader::TokenType next();
    // Inside an element just started: its text, and that of elements within
    // it except those named in skip, up to maxChars + 1 characters (enough
    // for the caller to see it is too long). Ends after the element's end.
    QString text(qsizetype maxChars, const QStringList &skip = {});
    // Skips the element just started, with everything in it.
    void skip();

    QXmlStreamReader &xml() { return xml_; }
    QStringView name() const { return xml_.name(); }
    QString attribute(QStringView name) const;
    // The attribute of this namespace with this local name, e.g. table:name.
    QString attribute(QStringView namespaceUri, QStringView name) const;
    bool isStart() const { return xml_.tokenType() == QXmlStreamReader::StartElement; }
    bool isEnd() const { return xml_.tokenType() == QXmlStreamReader::EndElement; }
    int depth() const { return depth_; }

    [[noreturn]] void fail(const QString &what) const;

private:
    void feed();

    ZipEntries &zip_;
    QString entry_;
    std::unique_ptr<ZipEntries::Stream> stream_;
    QXmlStreamReader xml_;
    qint64 maxRun_;
    qint64 run_ = 0;
    int depth_ = 0;
    bool fedAll_ = false;
};

} // namespace batch
