#include "PdfComposer.h"

#include <QFile>

#include <qpdf/Pipeline.hh>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <exception>
#include <iterator>
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
std::string placeIn(QPDFObjectHandle resources, const QPDFObjectHandle &form)
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
    std::string name = resources.getUniqueResourceName("/Podklad", suffix);
    xobjects.replaceKey(name, form);
    return name;
}

// Every failure of qpdf's as our own.
template <typename F>
void guarded(F &&f)
{
    try {
        f();
    } catch (const PdfComposeError &) {
        throw;
    } catch (const std::exception &e) {
        throw PdfComposeError(e.what());
    }
}

} // namespace

struct PdfUnderlay::Data {
    QPDF pdf;
    QPDFObjectHandle form;
};

PdfUnderlay::PdfUnderlay(const QString &pdf) : data_(std::make_unique<Data>())
{
    guarded([&] {
        open(data_->pdf, pdf);
        const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(data_->pdf).getAllPages();
        if (pages.empty())
            throw PdfComposeError("brak strony podkładu");
        data_->form = QPDFPageObjectHelper(pages.front()).getFormXObjectForPage();
        // The form's content is made from the page's on demand, uncompressed:
        // compressed here once, it is copied as it is into every file.
        const std::shared_ptr<Buffer> content = data_->form.getStreamData(qpdf_dl_generalized);
        Pl_Buffer compressed("underlay");
        Pl_Flate deflate("underlay", &compressed, Pl_Flate::a_deflate);
        deflate.write(content->getBuffer(), content->getSize());
        deflate.finish();
        data_->form.replaceStreamData(compressed.getBufferSharedPointer(), QPDFObjectHandle::newName("/FlateDecode"),
                                      QPDFObjectHandle::newNull());
    });
}

PdfUnderlay::~PdfUnderlay() = default;

namespace {

// The kinds of resource a page names, each a dictionary of names.
constexpr const char *ResourceKinds[] = {"/ColorSpace", "/ExtGState", "/Font", "/Pattern", "/Shading", "/XObject"};

bool isResourceKind(const std::string &key)
{
    return std::any_of(std::begin(ResourceKinds), std::end(ResourceKinds), [&](const char *k) { return key == k; });
}

// qpdf keeps every object it has read until the end; what is replaced by
// null goes.
void release(QPDF &pdf, const QPDFObjectHandle &object)
{
    if (object.isIndirect())
        pdf.replaceObject(object.getObjGen(), QPDFObjectHandle::newNull());
}

// Both name the same thing: one object, or equal direct values.
bool same(QPDFObjectHandle a, QPDFObjectHandle b)
{
    return a.isIndirect() ? a.getObjGen() == b.getObjGen() : !b.isIndirect() && a.unparse() == b.unparse();
}

// Qt gives every page resources of its own, all alike: the page takes the
// shared ones instead, with its names added, unless one of its names means
// something else there (then it keeps its own).
void shareResources(QPDF &pdf, QPDFObjectHandle page, QPDFObjectHandle own, QPDFObjectHandle shared)
{
    if (own.getObjGen() == shared.getObjGen())
        return;
    for (const std::string &key : own.getKeys()) {
        QPDFObjectHandle mine = own.getKey(key);
        QPDFObjectHandle theirs = shared.getKey(key);
        if (!isResourceKind(key)) { // e.g. /ProcSet: alike or not shared
            if (!theirs.isNull() && !same(mine, theirs))
                return;
            continue;
        }
        if (!mine.isDictionary() || (!theirs.isNull() && !theirs.isDictionary()))
            return;
        if (theirs.isDictionary())
            for (const std::string &name : mine.getKeys())
                if (theirs.hasKey(name) && !same(mine.getKey(name), theirs.getKey(name)))
                    return;
    }
    for (const std::string &key : own.getKeys()) {
        QPDFObjectHandle mine = own.getKey(key);
        if (!mine.isDictionary()) {
            if (!shared.hasKey(key))
                shared.replaceKey(key, mine);
            continue;
        }
        QPDFObjectHandle theirs = shared.getKey(key);
        if (!theirs.isDictionary()) {
            theirs = QPDFObjectHandle::newDictionary();
            shared.replaceKey(key, theirs);
        }
        for (const std::string &name : mine.getKeys())
            if (!theirs.hasKey(name))
                theirs.replaceKey(name, mine.getKey(name));
    }
    page.replaceKey("/Resources", shared);
    release(pdf, own);
}

// An empty list of annotations, as Qt gives every page, says nothing.
void dropEmptyAnnotations(QPDF &pdf, QPDFObjectHandle page)
{
    QPDFObjectHandle annots = page.getKey("/Annots");
    if (annots.isArray() && annots.getArrayNItems() == 0) {
        page.removeKey("/Annots");
        release(pdf, annots);
    }
}

void compose(const PdfUnderlay::Data &underlay, const QString &pagesPdf, Pipeline &output)
{
    QPDF pages;
    open(pages, pagesPdf);
    std::vector<QPDFPageObjectHelper> all = QPDFPageDocumentHelper(pages).getAllPages();

    // Before any object is added: the first new object makes qpdf read
    // every object of the file, and what is released here it then need
    // not hold (10,000 pages: about 40 MB less).
    QPDFObjectHandle shared; // resources that many pages can use
    for (QPDFPageObjectHelper &page : all) {
        dropEmptyAnnotations(pages, page.getObjectHandle());
        QPDFObjectHandle resources = page.getAttribute("/Resources", false);
        if (!resources.isDictionary() || !resources.isIndirect())
            continue;
        if (!shared.isInitialized())
            shared = resources;
        else
            shareResources(pages, page.getObjectHandle(), resources, shared);
    }

    const QPDFObjectHandle form = pages.copyForeignObject(underlay.form);
    // Pages of one size place the drawing with the same few bytes: one
    // stream serves them all.
    std::map<std::string, QPDFObjectHandle> placements;
    for (QPDFPageObjectHelper &page : all) {
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

void composePdf(const PdfUnderlay &underlay, const QString &pagesPdf, QIODevice &output)
{
    DevicePipeline pipeline(output);
    guarded([&] { compose(underlay.data(), pagesPdf, pipeline); });
}

void composePdf(const QString &underlayPdf, const QString &pagesPdf, QIODevice &output)
{
    composePdf(PdfUnderlay(underlayPdf), pagesPdf, output);
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
