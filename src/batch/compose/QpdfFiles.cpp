#include "QpdfFiles.h"

#include "PdfComposer.h"

#include <QFile>
#include <QIODevice>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <cstdio>
#include <exception>

namespace batch {

std::string pdfNumber(double value, int decimals)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::abs(value) < 1e-9 ? 0.0 : value);
    return text;
}

std::string pdfMatrix(const QTransform &t, int decimals)
{
    std::string out;
    for (const double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        out += pdfNumber(v, decimals) + " ";
    return out + "cm";
}

void openPdf(QPDF &pdf, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    pdf.setAttemptRecovery(false);
    pdf.setSuppressWarnings(true);
    pdf.processFile(name.constData());
}

void writeForPrinting(QPDF &pdf, QIODevice &output, bool objectStreams)
{
    pdf.getRoot().replaceKey("/ViewerPreferences",
                             QPDFObjectHandle::parse("<</PrintScaling /None /Duplex /Simplex /PickTrayByPDFSize true>>"));
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setStaticID(true);
    if (objectStreams)
        writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    const std::shared_ptr<Buffer> bytes = writer.getBufferSharedPointer();
    const auto size = qint64(bytes->getSize());
    if (output.write(reinterpret_cast<const char *>(bytes->getBuffer()), size) != size)
        throw PdfComposeError("zapis nie powiódł się");
}

void composeWithQpdf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const PdfComposeError &) {
        throw;
    } catch (const std::exception &e) {
        throw PdfComposeError(e.what());
    }
}

} // namespace batch
