#include "Run.h"

#include "Describe.h"
#include "Import.h"
#include "ImportError.h"
#include "Options.h"
#include "Store.h"

#include "editor/TemplateCatalogue.h"
#include "platform/DataLocation.h"
#include "platform/DataPath.h"
#include "platform/IoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

namespace wzory {

namespace {

// The catalogue the editor shows: Wzory of the current directory when it has
// one (a prepared ProgramDir), else that of the editor's per-user ProgramDir,
// so that a design added from the home folder appears in the editor started
// from the menu, and the home folder never gets a Wzory of its own.
QString workingCatalogue(QTextStream &err)
{
    const QString here = templateFolder(platform::currentDirectory());
    if (QFileInfo(here).isDir())
        return here;
    const platform::ProgramDirChoice choice = platform::chooseProgramDir(platform::processDataEnvironment());
    for (const QString &problem : choice.problems)
        err << "dyplom-wzory: uwaga: " << problem << "\n";
    return templateFolder(choice.dir);
}

QString relative(const QString &path)
{
    return QDir(platform::currentDirectory()).relativeFilePath(path);
}

void add(const Options &o, const QString &folder, QTextStream &out)
{
    QString path;
    QByteArray metafile;
    const int number = addDesign(o, folder, &path, nullptr, &metafile);
    out << QStringLiteral("%1: wzór nr %2, %3 B, %4\n")
               .arg(relative(path))
               .arg(number)
               .arg(metafile.size())
               .arg(describeTemplate(metafile));
}

void list(const QString &folder, QTextStream &out)
{
    const QList<StoredTemplate> all = storedTemplates(folder);
    if (all.isEmpty())
        throw ImportError(QStringLiteral("%1: brak wzorów BDR_NNNN.wmf").arg(relative(folder)));
    out << QStringLiteral("numer  rozmiar     zawartość\n");
    for (const StoredTemplate &t : all) {
        QFile f(t.path);
        const QString what = t.size > wmf::Metafile::MaxFileBytes ? QStringLiteral("za duży")
                             : f.open(QIODevice::ReadOnly)          ? describeTemplate(f.readAll())
                                                                    : QStringLiteral("nie można odczytać");
        out << QStringLiteral("%1  %2 B  %3\n").arg(editor::templateNumberText(t.number)).arg(t.size, 9).arg(what);
    }
    out << QStringLiteral("razem %1 wzorów\n").arg(all.size());
}

void preview(const Options &o, const QString &folder)
{
    QString path;
    for (const StoredTemplate &t : storedTemplates(folder))
        if (t.number == o.number)
            path = t.path;
    if (path.isEmpty())
        throw ImportError(QStringLiteral("%1: nie ma wzoru nr %2").arg(relative(folder)).arg(o.number));
    wmf::Metafile mf;
    try {
        mf = editor::loadTemplatePicture(path);
    } catch (const std::exception &e) {
        throw ImportError(QStringLiteral("%1: uszkodzony wzór (%2)").arg(relative(path), QString::fromUtf8(e.what())));
    }
    const int h = int(o.width * 297.0 / 210.0 + 0.5);
    QImage img(o.width, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        mf.draw(p, QRectF(0, 0, o.width, h));
    }
    QSaveFile f(o.png);
    if (!f.open(QIODevice::WriteOnly) || !img.save(&f, "PNG") || !f.commit())
        throw ImportError(QStringLiteral("%1: nie można zapisać (%2)").arg(o.png, f.errorString()));
}

} // namespace

int addDesign(const Options &o, const QString &folder, QString *stored, qint64 *bytes, QByteArray *metafile)
{
    ImportOptions io;
    io.fit = o.fit;
    io.page = o.page;
    // The number is checked before the work, and again when storing.
    const int number = o.number > 0 ? o.number : nextFreeNumber(folder);
    if (!o.overwrite)
        for (const StoredTemplate &t : storedTemplates(folder))
            if (t.number == number)
                throw ImportError(QStringLiteral("%1 już istnieje (--nadpisz pozwala go zastąpić)").arg(relative(t.path)));
    const ImportResult r = importDesign(o.design, io);
    const QString path = storeTemplate(folder, number, r.metafile, o.overwrite);
    if (stored)
        *stored = path;
    if (bytes)
        *bytes = r.metafile.size();
    if (metafile)
        *metafile = r.metafile;
    return number;
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Options o;
    try {
        o = parseOptions(arguments);
    } catch (const UsageError &e) {
        err << "dyplom-wzory: " << QString::fromUtf8(e.what()) << "\n"
            << "dyplom-wzory --help pokazuje sposób użycia.\n";
        return 2;
    }
    if (o.command == Command::Help) {
        out << helpText();
        return 0;
    }
    const QString folder = workingCatalogue(err);
    try {
        switch (o.command) {
        case Command::Add: add(o, folder, out); break;
        case Command::List: list(folder, out); break;
        case Command::Preview: preview(o, folder); break;
        case Command::Help: break;
        }
    } catch (const ImportError &e) {
        err << "dyplom-wzory: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    return 0;
}

} // namespace wzory
