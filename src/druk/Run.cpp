#include "Run.h"

#include "Catalogue.h"
#include "CompactPdf.h"
#include "CupsJob.h"
#include "Failure.h"
#include "FileNames.h"
#include "PageTargets.h"

#include "diplomafile/DiplomaRecord.h"
#include "editor/TemplateCatalogue.h"
#include "platform/DataPath.h"
#include "platform/IoError.h"
#include "printing/PainterDevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>

namespace druk {

namespace {

// A file named on the command line or found for it must be a readable file.
void requireFile(const QString &path, const QString &what)
{
    if (!QFileInfo(path).isFile())
        throw Failure(path, QFileInfo::exists(path) ? QStringLiteral("to nie jest plik")
                                                    : QStringLiteral("nie ma takiego pliku (%1)").arg(what));
}

// Only the record is read: whatever follows it, however large, is not.
diplomafile::DiplomaContent readDiploma(const QString &path)
{
    requireFile(path, QStringLiteral("plik dyplomu"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(path, QStringLiteral("nie można odczytać (%1)").arg(file.errorString()));
    const QByteArray bytes = file.read(diplomafile::RecordLayout::Size);
    if (bytes.size() < diplomafile::RecordLayout::Size)
        throw Failure(path, QStringLiteral("uszkodzony plik dyplomu: %1 bajtów zamiast %2")
                                .arg(bytes.size())
                                .arg(diplomafile::RecordLayout::Size));
    return diplomafile::parseDiplomaRecord(bytes);
}

// The editor's own loader, with its size limit, and errors that name the file.
wmf::Metafile readTemplate(const QString &path, const QString &what)
{
    requireFile(path, what);
    try {
        return editor::loadTemplatePicture(path);
    } catch (const platform::IoError &e) {
        throw Failure(path, QStringLiteral("nie można odczytać (%1)").arg(QString::fromUtf8(e.what())));
    } catch (const std::exception &e) {
        throw Failure(path, QStringLiteral("uszkodzony wzór (%1)").arg(QString::fromUtf8(e.what())));
    }
}

printing::PrintInput inputFor(const diplomafile::DiplomaContent &content, const wmf::Metafile &picture,
                              const Options &options)
{
    printing::PrintInput in;
    in.texts = content.texts;
    in.heading = content.heading;
    in.body = content.body;
    in.recipient = content.recipient;
    in.picture = picture;
    in.templateLeft = options.templateLeft;
    in.templateTop = options.templateTop;
    return in;
}

QString describe(const Page &page, int index)
{
    return page.line > 0 ? QStringLiteral("rekord %1 (wiersz %2 listy)").arg(index + 1).arg(page.line)
                         : QStringLiteral("dyplom");
}

// Removes this run's files when the run fails.
class Written {
public:
    ~Written()
    {
        if (!kept_)
            for (const QString &f : files_)
                QFile::remove(f);
    }
    void add(const QString &f) { files_.append(f); }
    void keep() { kept_ = true; }

private:
    QStringList files_;
    bool kept_ = false;
};

void toPdf(const QString &path, const QList<Page> &pages, const printing::SheetGeometry &geometry,
           const std::function<void(const QString &)> &warn, const std::function<void(int, int)> &progress)
{
    CompactPdfWriter(geometry, pages.first().input).write(path, pages, warn, progress);
}

// The printer's own sheet and printable area at its resolution.
printing::SheetGeometry geometryOf(const QPrinter &printer)
{
    printing::SheetGeometry g;
    g.dpi = printer.resolution();
    g.sheet = printer.pageLayout().fullRectPixels(g.dpi).size();
    g.printable = printer.pageLayout().paintRectPixels(g.dpi);
    return g;
}

} // namespace

QList<Page> loadPages(const Options &options)
{
    const diplomafile::DiplomaContent content = readDiploma(options.diploma);
    const QString templatePath = editor::templateFilePath(platform::currentDirectory(),
                                                          editor::templateNumberText(content.templateNumber));
    const wmf::Metafile picture = readTemplate(
        templatePath, QStringLiteral("wzór nr %1 z pliku %2").arg(content.templateNumber).arg(options.diploma));

    const printing::PrintInput base = inputFor(content, picture, options);
    if (options.list.isEmpty())
        return {Page{base, 0}};

    QList<ListRecord> records;
    try {
        records = readList(options.list);
    } catch (const ListError &e) {
        throw Failure(options.list, QString::fromUtf8(e.what()));
    } catch (const platform::IoError &e) {
        throw Failure(options.list, QString::fromUtf8(e.what()));
    }
    if (records.isEmpty())
        throw Failure(options.list, QStringLiteral("lista nie zawiera żadnego rekordu"));
    QList<Page> pages;
    for (const ListRecord &r : records) {
        Page page{base, r.line};
        if (r.recipient)
            page.input.texts.recipient = *r.recipient;
        if (r.heading)
            page.input.texts.heading = *r.heading;
        for (int k = 0; k < 6; ++k)
            if (r.body[k])
                page.input.texts.body[k] = *r.body[k];
        pages.append(page);
    }
    return pages;
}

void printPages(printing::PrinterDevice &device, const QList<Page> &pages,
                const std::function<void(const QString &)> &warn, const std::function<void(int, int)> &progress)
{
    auto *painterDevice = dynamic_cast<printing::PainterDevice *>(&device);
    for (int i = 0; i < pages.size(); ++i) {
        printing::printDiploma(device, pages[i].input);
        if (painterDevice && warn)
            for (const QString &text : painterDevice->textsOffThePage())
                warn(QStringLiteral("uwaga: %1: tekst „%2” wychodzi poza obszar wydruku").arg(describe(pages[i], i), text));
        if (progress)
            progress(i + 1, int(pages.size()));
    }
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const UsageError &e) {
        err << "dyplom-druk: " << QString::fromUtf8(e.what()) << "\n"
            << "Pomoc / help: dyplom-druk --help\n";
        err.flush();
        return 2;
    }
    if (options.help) {
        out << helpText();
        out.flush();
        return 0;
    }

    bool warnedOnce = false;
    bool lineOpen = false; // a progress line without its line break
    const auto warnLine = [&](const QString &line) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << line << "\n";
        lineOpen = false;
        err.flush();
    };
    const auto warn = [&](const QString &line) {
        if (!warnedOnce)
            warnLine(line);
    };
    const bool terminal = ::isatty(STDERR_FILENO);
    const auto progress = [&](int done, int total) {
        if (!terminal || total < 2)
            return;
        err << "\rdyplom-druk: strona " << done << " z " << total << (done == total ? "\n" : "");
        err.flush();
        lineOpen = done != total;
    };

    Written written;
    try {
        if (!options.catalogue.isEmpty()) {
            const QString wzory = platform::resolveDataPath(platform::currentDirectory(), QStringLiteral("Wzory"));
            const int count = writeCatalogue(wzory, options.catalogue, warnLine);
            written.add(options.catalogue);
            out << "dyplom-druk: katalog " << count << " wzorów: " << options.catalogue << "\n";
        }
        if (options.diploma.isEmpty()) {
            written.keep();
            return 0;
        }

        const QList<Page> pages = loadPages(options);
        const printing::SheetGeometry geometry =
            printing::SheetGeometry::a4(options.printerDpi, options.printableMm);

        if (!options.output.isEmpty()) {
            toPdf(options.output, pages, geometry, warn, progress);
            written.add(options.output);
            warnedOnce = true;
        }

        if (!options.separateDir.isEmpty()) {
            if (!QDir().mkpath(options.separateDir))
                throw Failure(options.separateDir, QStringLiteral("nie można utworzyć katalogu"));
            QStringList stems;
            for (const Page &p : pages)
                stems.append(safeFileStem(p.input.texts.recipient));
            const QStringList names = uniqueFileNames(stems, QStringLiteral(".pdf"));
            const QDir dir(options.separateDir);
            CompactPdfWriter writer(geometry, pages.first().input);
            if (!options.overwrite)
                for (const QString &name : names)
                    if (QFileInfo::exists(dir.filePath(name)))
                        throw Failure(dir.filePath(name), QStringLiteral("plik już istnieje (--nadpisz pozwala go zastąpić)"));
            for (int i = 0; i < pages.size(); ++i) {
                writer.write(dir.filePath(names[i]), {pages[i]}, warn, {});
                written.add(dir.filePath(names[i]));
                progress(i + 1, int(pages.size()));
            }
            warnedOnce = true;
        }

        if (!options.pngDir.isEmpty()) {
            if (!QDir().mkpath(options.pngDir))
                throw Failure(options.pngDir, QStringLiteral("nie można utworzyć katalogu"));
            const QDir dir(options.pngDir);
            ImageTarget target(geometry, options.pngDpi, [&](int page) {
                return dir.filePath(QStringLiteral("strona-%1.png").arg(page + 1, 3, 10, QLatin1Char('0')));
            });
            printing::SheetDevice device(geometry, target);
            try {
                printPages(device, pages, warn, progress);
            } catch (...) {
                for (const QString &f : target.written())
                    written.add(f);
                throw;
            }
            for (const QString &f : target.written())
                written.add(f);
            warnedOnce = true;
        }

        if (options.toPrinter) {
            QPrinter printer(QPrinter::HighResolution);
            if (options.printerName.isEmpty()) {
                if (QPrinterInfo::defaultPrinterName().isEmpty())
                    throw Failure(QStringLiteral("-P"), QStringLiteral("brak drukarki domyślnej"));
                printer.setPrinterName(QPrinterInfo::defaultPrinterName());
            } else {
                if (!QPrinterInfo::availablePrinterNames().contains(options.printerName))
                    throw Failure(options.printerName, QStringLiteral("nie ma takiej drukarki"));
                printer.setPrinterName(options.printerName);
            }
            printer.setPageSize(QPageSize(QPageSize::A4));
            if (options.printerDpiGiven)
                printer.setResolution(options.printerDpi);
            // The compact PDF of the whole list goes to the queue as one job.
            const QTemporaryDir scratch;
            const QString job = scratch.filePath(QStringLiteral("dyplomy.pdf"));
            toPdf(job, pages, geometryOf(printer), warn, progress);
            sendToPrinter(printer.printerName(), job, QFileInfo(options.diploma).fileName());
        }
        written.keep();
        return 0;
    } catch (const Failure &e) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << QString::fromUtf8(e.what()) << "\n";
    } catch (const std::exception &e) {
        err << (lineOpen ? "\n" : "") << "dyplom-druk: " << options.diploma << ": " << QString::fromUtf8(e.what())
            << "\n";
    }
    err.flush();
    return 1;
}

} // namespace druk
