// The PDF composer alone: one shared drawing beneath every page, pages
// unchanged otherwise, and failures that leave nothing behind.
#include "batch/compose/PdfComposer.h"
#include "batch/compose/PdfObjectWriter.h"
#include "FileBytes.h"
#include "PdfFacts.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

#include <qpdf/QPDFPageDocumentHelper.hh>

#include <set>

namespace {

constexpr int Dpi = 300; // A4 at 300 dpi: 2480 x 3508 dots

// A PDF of A4 pages, each drawn by draw(painter, page index).
void writePdf(const QString &path, int pages, const std::function<void(QPainter &, int)> &draw)
{
    QPdfWriter writer(path);
    writer.setResolution(Dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter p(&writer);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        draw(p, i);
    }
}

// A heavy drawing: thousands of little strokes over a black band.
void drawUnderlay(QPainter &p, int)
{
    p.fillRect(QRect(0, 0, 2480, 300), Qt::black);
    p.setPen(QPen(Qt::darkBlue, 2));
    for (int i = 0; i < 3000; ++i)
        p.drawLine(QPointF(100 + (i * 37) % 2200, 600 + (i * 53) % 2600),
                   QPointF(140 + (i * 37) % 2200, 640 + (i * 53) % 2600));
}

// A name in a white cell over the band, as the print command writes it.
void drawName(QPainter &p, int page)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(80);
    p.setFont(f);
    p.fillRect(QRect(200, 100, 1400, 110), Qt::white);
    p.setPen(Qt::black);
    p.drawText(QPointF(210, 190), QStringLiteral("Strona %1 Żółć").arg(page + 1));
}

// A device with no room left: every write fails.
class FullDisk : public QIODevice {
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64) override
    {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
};

} // namespace

class TestPdfComposer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void drawingSharedByEveryPage();
    void pagesKeepTheirTextsAndCoverTheDrawing();
    void oneUnderlayServesManyFiles();
    void failuresLeaveNothing();
    void pagesOfDifferentResourcesLookAsBefore();
    void objectWriterFileReadsBack();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString underlay_, pages_;
};

void TestPdfComposer::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    underlay_ = dir_->filePath(QStringLiteral("underlay.pdf"));
    pages_ = dir_->filePath(QStringLiteral("pages.pdf"));
    writePdf(underlay_, 1, drawUnderlay);
    writePdf(pages_, 12, drawName);
}

void TestPdfComposer::drawingSharedByEveryPage()
{
    const QString out = dir_->filePath(QStringLiteral("out.pdf"));
    batch::composePdf(underlay_, pages_, out);
    QCOMPARE(formXObjectCount(out), 1);
    QCOMPARE(runTool(QStringLiteral("pdfinfo"), {out}).contains(QRegularExpression(QStringLiteral("Pages:\\s+12\\n"))),
             true);

    // Twelve pages over the drawing cost about what twelve pages alone
    // and one drawing cost, not twelve drawings.
    const qint64 underlay = QFileInfo(underlay_).size(), pages = QFileInfo(pages_).size();
    QVERIFY2(underlay > 20000, qPrintable(QString::number(underlay)));
    QVERIFY2(QFileInfo(out).size() < underlay + pages + 8000,
             qPrintable(QStringLiteral("%1 vs %2 + %3").arg(QFileInfo(out).size()).arg(underlay).arg(pages)));

    for (int page : {1, 7, 12}) {
        const QImage image = renderPage(out, page, 30);
        QVERIFY(!image.isNull());
        QVERIFY2(inkShare(image, QRect(0, 70, 248, 270)) > 0.02, qPrintable(QString::number(page))); // the strokes
    }
}

void TestPdfComposer::pagesKeepTheirTextsAndCoverTheDrawing()
{
    const QString out = dir_->filePath(QStringLiteral("out.pdf"));
    batch::composePdf(underlay_, pages_, out);
    const QStringList texts = runTool(QStringLiteral("pdftotext"), {out, QStringLiteral("-")}).split(QLatin1Char('\f'));
    for (int page = 1; page <= 12; ++page)
        QVERIFY2(texts.value(page - 1).contains(QStringLiteral("Strona %1 Żółć").arg(page)),
                 qPrintable(texts.value(page - 1)));

    // The page's white cell lies over the black band, not under it.
    const QImage image = renderPage(out, 3, 30);
    QVERIFY(inkShare(image, QRect(0, 0, 248, 10)) > 0.95);  // band beside the cell
    QVERIFY(inkShare(image, QRect(140, 11, 10, 8)) < 0.05); // cell right of the text
    // A4 pages stay A4, now to the fraction of a point the toolkit rounds.
    const QSize before = renderPage(pages_, 3, 30).size();
    QVERIFY(qAbs(image.width() - before.width()) <= 1 && qAbs(image.height() - before.height()) <= 1);
    QVERIFY(runTool(QStringLiteral("pdfinfo"), {out}).contains(QStringLiteral("595.276 x 841.89 pts (A4)")));

    // Printed from a viewer, the sheet keeps its millimetres.
    QVERIFY(asksForActualSize(out));
}

void TestPdfComposer::oneUnderlayServesManyFiles()
{
    const batch::PdfUnderlay underlay(underlay_);
    for (int file = 0; file < 3; ++file) {
        const QString out = dir_->filePath(QStringLiteral("out%1.pdf").arg(file));
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        batch::composePdf(underlay, pages_, f);
        f.close();
        QCOMPARE(formXObjectCount(out), 1); // each file self-contained
        const QImage image = renderPage(out, 12, 30);
        QVERIFY2(inkShare(image, QRect(0, 70, 248, 270)) > 0.02, qPrintable(out));
    }
    // Compressed once: a file is not much larger than the underlay and the
    // pages apart.
    QVERIFY(QFileInfo(dir_->filePath(QStringLiteral("out2.pdf"))).size()
            < QFileInfo(underlay_).size() + QFileInfo(pages_).size() + 8000);
}

void TestPdfComposer::failuresLeaveNothing()
{
    const QString out = dir_->filePath(QStringLiteral("out.pdf"));
    QVERIFY_THROWS_EXCEPTION(batch::PdfComposeError,
                             batch::composePdf(dir_->filePath(QStringLiteral("brak.pdf")), pages_, out));
    QVERIFY(!QFile::exists(out));

    writeBytes(dir_->filePath(QStringLiteral("broken.pdf")), readBytes(pages_).left(400));
    QVERIFY_THROWS_EXCEPTION(batch::PdfComposeError,
                             batch::composePdf(underlay_, dir_->filePath(QStringLiteral("broken.pdf")), out));
    QVERIFY(!QFile::exists(out));

    QVERIFY_THROWS_EXCEPTION(batch::PdfComposeError,
                             batch::composePdf(underlay_, pages_, dir_->filePath(QStringLiteral("nie/ma/out.pdf"))));
    QVERIFY_THROWS_EXCEPTION(batch::PdfComposeError, batch::PdfUnderlay(dir_->filePath(QStringLiteral("broken.pdf"))));

    // A device that stops taking bytes (a full disk) ends the composition.
    FullDisk full;
    full.open(QIODevice::WriteOnly);
    QVERIFY_THROWS_EXCEPTION(batch::PdfComposeError, batch::composePdf(underlay_, pages_, full));
}

void TestPdfComposer::pagesOfDifferentResourcesLookAsBefore()
{
    // Pages with fonts, a transparent fill and a picture of their own: the
    // pages that can share resources do, and every page still renders
    // exactly as it did (over a blank underlay).
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString mixed = dir_->filePath(QStringLiteral("mixed.pdf"));
    writePdf(mixed, 6, [&](QPainter &p, int page) {
        QFont f(page % 2 ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
        f.setPixelSize(90);
        p.setFont(f);
        p.drawText(QPointF(200, 400), QStringLiteral("Strona %1 Źdźbło").arg(page + 1));
        if (page == 2)
            p.fillRect(QRect(200, 600, 800, 400), QColor(0, 0, 255, 100));
        if (page == 4)
            p.drawImage(QRect(200, 600, 400, 400), picture);
    });
    const QString blank = dir_->filePath(QStringLiteral("blank.pdf"));
    writePdf(blank, 1, [](QPainter &, int) {});
    const QString out = dir_->filePath(QStringLiteral("out.pdf"));
    batch::composePdf(blank, mixed, out);

    for (int page = 1; page <= 6; ++page) {
        const QImage before = renderPage(mixed, page, 40), after = renderPage(out, page, 40);
        QVERIFY(!before.isNull());
        QVERIFY2(after == before, qPrintable(QString::number(page)));
    }
    QPDF doc;
    doc.processFile(QFile::encodeName(out).constData());
    std::set<QPDFObjGen> resources;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(doc).getAllPages())
        resources.insert(page.getAttribute("/Resources", false).getObjGen());
    QVERIFY2(resources.size() < 6, qPrintable(QString::number(resources.size())));
}

void TestPdfComposer::objectWriterFileReadsBack()
{
    // More objects than one object stream holds, numbers written out of
    // order, streams between them: a reader finds each by its number.
    const QString path = dir_->filePath(QStringLiteral("objects.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    std::vector<int> numbers;
    {
        batch::PdfObjectWriter writer(file, "1.5");
        const int root = writer.reserve(), info = writer.reserve();
        for (int k = 0; k < 450; ++k) {
            numbers.push_back(writer.reserve());
            if (k % 100 == 7) {
                const std::string data = "stream " + std::to_string(k);
                writer.writeStream(numbers.back(), "<<", data.data(), data.size());
            } else {
                writer.writeObject(numbers.back(), "<</Wartosc " + std::to_string(k) + ">>");
            }
        }
        const int pages = writer.reserve();
        writer.writeObject(root, "<</Type /Catalog /Pages " + std::to_string(pages) + " 0 R>>");
        writer.writeObject(pages, "<</Type /Pages /Kids [] /Count 0>>");
        writer.writeObject(info, "<</Title (obiekty)>>");
        writer.finish(root, info, "00112233445566778899AABBCCDDEEFF");
    }
    file.close();
    QPDF doc;
    doc.setAttemptRecovery(false);
    doc.processFile(QFile::encodeName(path).constData());
    for (int k : {0, 7, 199, 200, 307, 449}) {
        QPDFObjectHandle o = doc.getObjectByID(numbers[size_t(k)], 0);
        if (k % 100 == 7)
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(o.getStreamData()->getBuffer()),
                                qsizetype(o.getStreamData()->getSize())),
                     QByteArray("stream ") + QByteArray::number(k));
        else
            QCOMPARE(o.getKey("/Wartosc").getIntValue(), k);
    }
    QCOMPARE(doc.getTrailer().getKey("/Info").getKey("/Title").getUTF8Value(), std::string("obiekty"));
    QVERIFY(doc.getWarnings().empty());

    // A device that takes nothing: the header already fails.
    FullDisk full;
    full.open(QIODevice::WriteOnly);
    QVERIFY_THROWS_EXCEPTION(batch::PdfComposeError, batch::PdfObjectWriter(full, "1.5"));
}

QTEST_MAIN(TestPdfComposer)
#include "tst_batchcompose.moc"
