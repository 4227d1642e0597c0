#include "ImposedPdf.h"

#include "QpdfFiles.h"

#include <QIODevice>
#include <QTransform>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

namespace batch {

namespace {

std::string operand(double value)
{
    return pdfNumber(value, 4);
}

// What maps the page box onto position (PDF points, y up), the sheet
// sheetHeight points high.
QTransform placing(const QPDFObjectHandle::Rectangle &box, const SheetPosition &at, double sheetHeight)
{
    const QRectF area(at.areaMm.left() * PointsPerMm, sheetHeight - at.areaMm.bottom() * PointsPerMm,
                      at.areaMm.width() * PointsPerMm, at.areaMm.height() * PointsPerMm);
    const double w = box.urx - box.llx, h = box.ury - box.lly;
    QTransform t = QTransform::fromTranslate(-box.llx, -box.lly);
    if (at.turned) // a quarter turn to the left: the page's top to the left edge
        t *= QTransform(0, area.height() / w, -area.width() / h, 0, area.right(), area.top());
    else
        t *= QTransform(area.width() / w, 0, 0, area.height() / h, area.left(), area.top());
    return t;
}

std::string cutMarks(const SheetLayout &layout, double sheetHeight)
{
    std::string marks;
    for (const QLineF &l : layout.cutMarks())
        marks += operand(l.x1() * PointsPerMm) + " " + operand(sheetHeight - l.y1() * PointsPerMm) + " m "
                 + operand(l.x2() * PointsPerMm) + " " + operand(sheetHeight - l.y2() * PointsPerMm) + " l\n";
    // A hairline of 0.1 mm in black.
    return marks.empty() ? marks : "q 0 G 0.2835 w\n" + marks + "S Q\n";
}

} // namespace

void writeImposedPdf(const QString &in, const SheetLayout &layout, int start, QIODevice &output)
{
    composeWithQpdf([&] {
        QPDF source;
        openPdf(source, in);
        QPDF pdf;
        pdf.emptyPDF();
        const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(source).getAllPages();
        const QSizeF sheetMm = layout.sheetMm();
        const double width = sheetMm.width() * PointsPerMm, height = sheetMm.height() * PointsPerMm;
        const QList<SheetPosition> positions = layout.positions();
        const QList<Placement> where = placements(int(pages.size()), layout.perSheet, start);
        const std::string marks = cutMarks(layout, height);
        QPDFPageDocumentHelper sheets(pdf);
        for (int i = 0; i < int(pages.size());) {
            const int sheet = where[i].sheet;
            QPDFObjectHandle forms = QPDFObjectHandle::newDictionary();
            std::string content = marks;
            for (; i < int(pages.size()) && where[i].sheet == sheet; ++i) {
                QPDFPageObjectHelper page = pages[size_t(i)];
                // The page's drawing as a form; the template's drawing it
                // refers to is copied into the file once.
                const QPDFObjectHandle form = pdf.copyForeignObject(page.getFormXObjectForPage());
                const std::string name = "/D" + std::to_string(where[i].position);
                forms.replaceKey(name, form);
                const QTransform t = placing(page.getTrimBox().getArrayAsRectangle(), positions[where[i].position],
                                             height);
                content += "q " + pdfMatrix(t, 4) + " " + name + " Do Q\n";
            }
            QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
            resources.replaceKey("/XObject", forms);
            QPDFObjectHandle dictionary = QPDFObjectHandle::newDictionary();
            dictionary.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
            dictionary.replaceKey("/MediaBox", QPDFObjectHandle::newFromRectangle({0, 0, width, height}));
            dictionary.replaceKey("/Resources", resources);
            dictionary.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
            sheets.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(dictionary)), false);
        }
        const QPDFObjectHandle info = source.getTrailer().getKey("/Info");
        if (info.isIndirect())
            pdf.getTrailer().replaceKey("/Info", pdf.copyForeignObject(info));
        writeForPrinting(pdf, output, true);
    });
}

} // namespace batch
