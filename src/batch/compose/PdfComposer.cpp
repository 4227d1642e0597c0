#include "PdfComposer.h"

#include "PdfObjectWriter.h"
#include "QpdfFiles.h"

#include <QFile>

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <QCryptographicHash>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <exception>
#include <map>
#include <set>

namespace batch {

struct PdfUnderlay::Data {
    QPDF pdf;
    QPDFObjectHandle form;
};

PdfUnderlay::PdfUnderlay(const QString &pdf) : data_(std::make_unique<Data>())
{
    composeWithQpdf([&] {
        openPdf(data_->pdf, pdf);
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

bool isSubsetTag(const std::string &name)
{
    // "/ABCDEF+Name": six capital letters and a plus.
    if (name.size() < 9 || name[0] != '/' || name[7] != '+')
        return false;
    return std::all_of(name.begin() + 1, name.begin() + 7, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// A subset font's /BaseFont with the tag its descriptor's /FontName has:
// preflight tools and pdffonts read the subset from the font's own name.
std::string taggedBaseFont(QPDFObjectHandle font)
{
    QPDFObjectHandle base = font.getKey("/BaseFont");
    if (!base.isName() || isSubsetTag(base.getName()))
        return {};
    QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
    QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
    if (!descriptor.isDictionary() && descendants.isArray() && descendants.getArrayNItems() > 0)
        descriptor = descendants.getArrayItem(0).getKey("/FontDescriptor");
    if (!descriptor.isDictionary() || !descriptor.getKey("/FontName").isName())
        return {};
    const std::string tagged = descriptor.getKey("/FontName").getName();
    if (!isSubsetTag(tagged))
        return {};
    return tagged.substr(0, 8) + base.getName().substr(1);
}

std::string nameText(const std::string &name)
{
    return QPDFObjectHandle::newName(name).unparse();
}

std::string reference(int number)
{
    return std::to_string(number) + " 0 R";
}

// A PDF text string: UTF-16BE with its byte order mark, in hex.
std::string textString(const QString &text)
{
    std::string hex = "<FEFF";
    static const char digits[] = "0123456789ABCDEF";
    for (const QChar c : text)
        for (const int shift : {12, 8, 4, 0})
            hex += digits[(c.unicode() >> shift) & 0xf];
    return hex + ">";
}

// A4 in points, as the paper is: 210 mm x 297 mm.
constexpr double A4Width = 210 / 25.4 * 72, A4Height = 297 / 25.4 * 72;

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

} // namespace

struct ComposedPdf::State {
    explicit State(const PdfUnderlay::Data &u) : underlay(u) {}

    int reserve() { return out->reserve(); }
    void writeObject(int number, const std::string &body) { out->writeObject(number, body); }
    void writeStream(int number, const std::string &dictionaryStart, const char *data, size_t size)
    {
        out->writeStream(number, dictionaryStart, data, size);
    }

    const PdfUnderlay::Data &underlay;
    std::unique_ptr<PdfObjectWriter> out; // made once the version is known
    std::vector<int> pages;               // object numbers, in order
    int catalog = 0, pageTree = 0, form = 0;
    std::string version = "1.5";           // object streams
    std::map<std::string, int> placements; // content placing the drawing
};

namespace {

// The objects of one source document, copied into the output once each as
// they are reached, with numbers of the output; what was copied is not
// kept (only the numbers given).
class Copier {
public:
    explicit Copier(ComposedPdf::State &state) : state_(state) {}

    int numberOf(const QPDFObjectHandle &object)
    {
        const auto [at, added] = numbers_.try_emplace(object.getObjGen(), 0);
        if (added) {
            at->second = state_.reserve();
            queue_.push_back(object);
        }
        return at->second;
    }

    // A small object written once however many pages use it alike.
    int shared(const std::string &body)
    {
        const auto [at, added] = sharedBodies_.try_emplace(body, 0);
        if (added) {
            at->second = state_.reserve();
            state_.writeObject(at->second, body);
        }
        return at->second;
    }

    // Writes every object reached so far.
    void drain()
    {
        while (!queue_.empty()) {
            QPDFObjectHandle object = queue_.front();
            queue_.pop_front();
            const int n = numbers_.at(object.getObjGen());
            if (object.isStream()) {
                const std::shared_ptr<Buffer> raw = object.getRawStreamData();
                state_.writeStream(n, dictionaryStart(object.getDict(), {"/Length"}),
                                   reinterpret_cast<const char *>(raw->getBuffer()), raw->getSize());
            } else {
                state_.writeObject(n, direct(object));
            }
        }
    }

    // The object's own text, other objects referred to by their numbers.
    std::string direct(QPDFObjectHandle object)
    {
        std::string text;
        if (object.isArray()) {
            text += '[';
            for (const QPDFObjectHandle &item : object.getArrayAsVector()) {
                value(text, item);
                text += ' ';
            }
            text += ']';
        } else if (object.isDictionary()) {
            text = dictionaryStart(object, {}) + ">>";
        } else {
            text = object.unparse();
        }
        return text;
    }

    void value(std::string &text, const QPDFObjectHandle &object)
    {
        if (object.isIndirect())
            text += reference(numberOf(object));
        else
            text += direct(object);
    }

    // "<<" and every entry but those left out, to which more may be added.
    std::string dictionaryStart(QPDFObjectHandle dictionary, const std::set<std::string> &without)
    {
        std::string text = "<<";
        const std::string baseFont = dictionary.getKey("/Type").isNameAndEquals("/Font") ? taggedBaseFont(dictionary)
                                                                                         : std::string();
        for (const std::string &key : dictionary.getKeys()) {
            if (without.count(key))
                continue;
            text += nameText(key) + ' ';
            if (key == "/BaseFont" && !baseFont.empty())
                text += nameText(baseFont);
            else
                value(text, dictionary.getKey(key));
            text += ' ';
        }
        return text;
    }

private:
    ComposedPdf::State &state_;
    std::map<QPDFObjGen, int> numbers_;
    std::deque<QPDFObjectHandle> queue_;
    std::map<std::string, int> sharedBodies_;
};

// The name for the drawing in a page's resources, unused by the page.
std::string underlayName(QPDFObjectHandle xobjects)
{
    std::string name = "/Podklad";
    for (int k = 1; xobjects.isDictionary() && xobjects.hasKey(name); ++k)
        name = "/Podklad" + std::to_string(k);
    return name;
}

std::string mediaBox(const QPDFObjectHandle::Rectangle &box)
{
    const double width = box.urx - box.llx, height = box.ury - box.lly;
    // Qt writes whole points; A4 is a fraction more or less. The top stays
    // where it was: the page is drawn from its top.
    if (std::abs(width - A4Width) < 1 && std::abs(height - A4Height) < 1)
        return "[" + number(box.llx) + " " + number(box.ury - A4Height) + " " + number(box.llx + A4Width) + " "
               + number(box.ury) + "]";
    return "[" + number(box.llx) + " " + number(box.lly) + " " + number(box.urx) + " " + number(box.ury) + "]";
}

void addPage(ComposedPdf::State &state, Copier &copier, QPDFPageObjectHelper page)
{
    QPDFObjectHandle dictionary = page.getObjectHandle();
    QPDFObjectHandle resources = page.getAttribute("/Resources", false);
    QPDFObjectHandle xobjects = resources.isDictionary() ? resources.getKey("/XObject") : QPDFObjectHandle::newNull();
    const std::string name = underlayName(xobjects);

    const std::string place = page.placeFormXObject(state.underlay.form, name, page.getTrimBox().getArrayAsRectangle())
                              + "\n";
    auto placement = state.placements.find(place);
    if (placement == state.placements.end()) {
        placement = state.placements.emplace(place, state.reserve()).first;
        state.writeStream(placement->second, "<<", place.data(), place.size());
    }

    std::string ownResources = "<<";
    if (resources.isDictionary())
        for (const std::string &key : resources.getKeys())
            if (key != "/XObject") {
                ownResources += nameText(key) + ' ';
                copier.value(ownResources, resources.getKey(key));
                ownResources += ' ';
            }
    ownResources += "/XObject " + (xobjects.isDictionary() ? copier.dictionaryStart(xobjects, {}) : std::string("<<"))
                    + nameText(name) + ' ' + reference(state.form) + ">>>>";

    std::string contents = "[" + reference(placement->second) + " ";
    QPDFObjectHandle own = dictionary.getKey("/Contents");
    if (own.isArray())
        for (const QPDFObjectHandle &item : own.getArrayAsVector()) {
            copier.value(contents, item);
            contents += ' ';
        }
    else if (!own.isNull())
        copier.value(contents, own);
    contents += "]";

    std::string body = "<</Type /Page /Parent " + reference(state.pageTree) + " /MediaBox "
                       + mediaBox(page.getMediaBox().getArrayAsRectangle()) + " /Resources "
                       + reference(copier.shared(ownResources)) + " /Contents " + contents + ' ';
    QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
    if (rotate.isInteger())
        body += "/Rotate " + rotate.unparse() + ' ';
    static const std::set<std::string> replaced{"/Type",     "/Parent", "/MediaBox",  "/CropBox",  "/TrimBox",
                                                "/BleedBox", "/ArtBox", "/Resources", "/Contents", "/Rotate"};
    for (const std::string &key : dictionary.getKeys()) {
        QPDFObjectHandle item = dictionary.getKey(key);
        // An empty list of annotations, as Qt gives every page, says nothing.
        if (replaced.count(key) || (key == "/Annots" && item.isArray() && item.getArrayNItems() == 0))
            continue;
        body += nameText(key) + ' ';
        copier.value(body, item);
        body += ' ';
    }
    body += ">>";
    const int number = state.reserve();
    state.writeObject(number, body);
    state.pages.push_back(number);
    copier.drain();
}

} // namespace

ComposedPdf::ComposedPdf(const PdfUnderlay &underlay, QIODevice &output) : d_(std::make_unique<State>(underlay.data()))
{
    composeWithQpdf([&] {
        d_->version = std::max(d_->version, d_->underlay.pdf.getPDFVersion());
        d_->out = std::make_unique<PdfObjectWriter>(output, d_->version);
        d_->catalog = d_->reserve();
        d_->pageTree = d_->reserve();
        Copier copier(*d_);
        d_->form = copier.numberOf(d_->underlay.form);
        copier.drain();
    });
}

ComposedPdf::~ComposedPdf() = default;

int ComposedPdf::pageCount() const
{
    return int(d_->pages.size());
}

void ComposedPdf::addPages(const QString &pagesPdf)
{
    composeWithQpdf([&] {
        QPDF pages;
        openPdf(pages, pagesPdf);
        d_->version = std::max(d_->version, pages.getPDFVersion());
        Copier copier(*d_);
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pages).getAllPages())
            addPage(*d_, copier, page);
    });
}

void ComposedPdf::finish(const QString &title)
{
    composeWithQpdf([&] {
        State &s = *d_;
        std::string kids;
        for (const int page : s.pages)
            kids += reference(page) + ' ';
        s.writeObject(s.pageTree, "<</Type /Pages /Count " + std::to_string(s.pages.size()) + " /Kids [" + kids + "]>>");
        // A viewer's print dialog reads these: without /PrintScaling /None it
        // scales the sheet "to fit" and every text moves by millimetres.
        std::string catalog = "<</Type /Catalog /Pages " + reference(s.pageTree)
                              + " /ViewerPreferences <</PrintScaling /None /Duplex /Simplex /PickTrayByPDFSize true>>";
        if (s.version.substr(0, 3) > "1.5") // the header was written before the pages were read
            catalog += " /Version /" + s.version.substr(0, 3);
        s.writeObject(s.catalog, catalog + ">>");
        const int info = s.reserve();
        s.writeObject(info, "<<" + (title.isEmpty() ? std::string() : "/Title " + textString(title) + " ")
                                + "/Creator (dyplom-druk) /Producer (dyplom-druk)>>");

        QCryptographicHash id(QCryptographicHash::Md5);
        id.addData(title.toUtf8());
        id.addData(QByteArray::number(s.out->position()) + ' ' + QByteArray::number(qsizetype(s.pages.size())));
        s.out->finish(s.catalog, info, id.result().toHex().toUpper().toStdString());
    });
}

namespace {

void compose(const PdfUnderlay &underlay, const QString &pagesPdf, QIODevice &output)
{
    ComposedPdf pdf(underlay, output);
    pdf.addPages(pagesPdf);
    pdf.finish();
}

} // namespace

void composePdf(const PdfUnderlay &underlay, const QString &pagesPdf, QIODevice &output)
{
    compose(underlay, pagesPdf, output);
}

void composePdf(const QString &underlayPdf, const QString &pagesPdf, QIODevice &output)
{
    composePdf(PdfUnderlay(underlayPdf), pagesPdf, output);
}

void composePdf(const QString &underlayPdf, const QString &pagesPdf, const QString &outputPath)
{
    QFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly))
        throw PdfComposeError("nie można utworzyć pliku " + outputPath.toStdString() + " ("
                              + file.errorString().toStdString() + ")");
    try {
        composePdf(underlayPdf, pagesPdf, static_cast<QIODevice &>(file));
        if (!file.flush())
            throw PdfComposeError("zapis nie powiódł się (" + file.errorString().toStdString() + ")");
    } catch (...) {
        file.remove(); // nothing half-written stays behind
        throw;
    }
}

} // namespace batch
