#include "PdfComposer.h"

#include <QFile>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <map>

namespace druk {

namespace {

// qpdf's output into a QIODevice; a short write ends the composition.
class DevicePipeline : public Pipeline {
public:
    explicit DevicePipeline(QIODevice &device) : Pipeline("QIODevice", nullptr), device_(device) {}

    void write(unsigned char const *data, size_t len) override
    {
        while (len > 0) {
            const qint64 written = device_.write(reinterpret_cast<const char *>(data), qint64(len));
            if (written <= 0)
                throw PdfComposeError("zapis nie powiódł się (" + device_.errorString().toStdString() + ")");
            data += written;
            len -= size_t(written);
        }
    }
    void finish() override {}

private:
    QIODevice &device_;
};

void open(QPDF &pdf, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    pdf.setAttemptRecovery(false);
    pdf.setSuppressWarnings(true);
    pdf.processFile(name.constData());
}

// The name under which the shared drawing appears in resources, added
// once even when many pages share these resources.
std::string placeIn(QPDFObjectHandle resources, QPDFObjectHandle form)
{
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    if (!xobjects.isDictionary()) {
        xobjects = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/XObject", xobjects);
    }
    for (const auto &key : xobjects.getKeys())
        if (xobjects.getKey(key).getObjGen() == form.getObjGen())
            return key;
    int suffix = 0;
    const std::string name = resources.getUniqueResourceName("/Podklad", suffix);
    xobjects.replaceKey(name, form);
    return name;
}

void compose(const QString &underlayPdf, const QString &pagesPdf, Pipeline &output)
{
    QPDF underlay;
    open(underlay, underlayPdf);
    const std::vector<QPDFPageObjectHelper> underlayPages = QPDFPageDocumentHelper(underlay).getAllPages();
    if (underlayPages.empty())
        throw PdfComposeError("brak strony podkładu");

    QPDF pages;
    open(pages, pagesPdf);
    const QPDFObjectHandle form =
        pages.copyForeignObject(QPDFPageObjectHelper(underlayPages.front()).getFormXObjectForPage());

    // Pages of one size place the drawing with the same few bytes: one
    // stream serves them all.
    std::map<std::string, QPDFObjectHandle> placements;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pages).getAllPages()) {
        // Resources are changed where they are, so that resources shared by
        // pages stay shared and are not copied onto every page.
        QPDFObjectHandle resources = page.getAttribute("/Resources", false);
        if (!resources.isDictionary()) {
            resources = QPDFObjectHandle::newDictionary();
            page.getObjectHandle().replaceKey("/Resources", resources);
        }
        const std::string name = placeIn(resources, form);
        const std::string place = page.placeFormXObject(form, name, page.getTrimBox().getArrayAsRectangle()) + "\n";
        auto found = placements.find(place);
        if (found == placements.end())
            found = placements.emplace(place, pages.makeIndirectObject(QPDFObjectHandle::newStream(&pages, place))).first;
        page.addPageContents(found->second, true);
    }

    QPDFWriter writer(pages);
    writer.setOutputPipeline(&output);
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.setDeterministicID(true);
    writer.setDecodeLevel(qpdf_dl_none); // streams go out as they came, not recompressed
    writer.write();
}

} // namespace

void composePdf(const QString &underlayPdf, const QString &pagesPdf, QIODevice &output)
{
    DevicePipeline pipeline(output);
    try {
        compose(underlayPdf, pagesPdf, pipeline);
    } catch (const PdfComposeError &) {
        throw;
    } catch (const std::exception &e) {
        throw PdfComposeError(e.what());
    }
}

void composePdf(const QString &underlayPdf, const QString &pagesPdf, const QString &outputPath)
{
    QFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly))
        throw PdfComposeError("nie można utworzyć pliku " + outputPath.toStdString() + " (" +
                              file.errorString().toStdString() + ")");
    try {
        composePdf(underlayPdf, pagesPdf, static_cast<QIODevice &>(file));
        if (!file.flush())
            throw PdfComposeError("zapis nie powiódł się (" + file.errorString().toStdString() + ")");
    } catch (...) {
        file.remove(); // nothing half-written stays behind
        throw;
    }
}

} // namespace druk
