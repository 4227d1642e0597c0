#include "Run.h"

#include "Contained.h"
#include "Describe.h"
#include "Import.h"
#include "ImportError.h"
#include "Options.h"
#include "Store.h"

#include "editor/TemplateCatalogue.h"
#include "platform/DataLocation.h"
#include "platform/DataPath.h"
#include "platform/IoError.h"
#include "platform/TemplateUpdate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>

namespace wzory {

namespace {

// The catalogue the editor shows: Wzory of the current directory when it has
// one (a prepared ProgramDir), else that of the editor's per-user ProgramDir,
// so that a design added from the home folder appears in the editor started
// from the menu, and the home folder never gets a Wzory of its own.
QString workingCatalogue(QTextStream &err)
{
    QString here = templateFolder(platform::currentDirectory());
    if (QFileInfo(here).isDir())
        return here;
    const platform::ProgramDirChoice choice = platform::chooseProgramDir(platform::processDataEnvironment());
    for (const QString &problem : choice.problems)
        err << "dyplom-wzory: uwaga: " << problem << "\n";
    return templateFolder(choice.dir);
}

bool samePlace(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// The school's folder for --dla-wszystkich, and the number a new school
// design takes there: free in that folder and never a shipped one, so that
// it keeps its number for every teacher who has no design of their own there.
QString schoolCatalogue(const platform::DataEnvironment &env)
{
    return templateFolder(env.schoolDir);
}

int freeSchoolNumber(const QString &folder, const platform::DataEnvironment &env, int wanted)
{
    const QList<int> shipped = platform::everShippedNumbers(platform::shippedDataDir(env));
    if (wanted > 0) {
        if (shipped.contains(wanted))
            throw ImportError(
                QStringLiteral("numer %1 ma wzór dołączony do programu; wzór szkoły dostaje inny numer").arg(wanted));
        return wanted;
    }
    QList<int> taken = shipped;
    for (const StoredTemplate &t : storedTemplates(folder))
        taken << t.number;
    for (int n = 1; n <= kMaxTemplateNumber; ++n)
        if (!taken.contains(n))
            return n;
    throw ImportError(QStringLiteral("%1: wszystkie numery wzorów są zajęte").arg(folder));
}

QString relative(const QString &path)
{
    return QDir(platform::currentDirectory()).relativeFilePath(path);
}

void add(const Options &o, const QString &folder, QTextStream &out, QTextStream &err)
{
    QString path;
    QByteArray metafile;
    QStringList warnings;
    const int number = addDesign(o, folder, &path, nullptr, &metafile, &warnings);
    for (const QString &warning : warnings)
        err << "dyplom-wzory: uwaga: " << warning << "\n";
    out << QStringLiteral("%1: wzór nr %2, %3 B, %4\n")
               .arg(relative(path))
               .arg(number)
               .arg(metafile.size())
               .arg(describeTemplate(metafile));
}

QString originText(platform::TemplateOrigin origin)
{
    switch (origin) {
    case platform::TemplateOrigin::Shipped: return QStringLiteral("dołączony");
    case platform::TemplateOrigin::School: return QStringLiteral("szkoła   ");
    case platform::TemplateOrigin::Own: break;
    }
    return QStringLiteral("własny   ");
}

void list(const QString &folder, QTextStream &out)
{
    const QList<StoredTemplate> all = storedTemplates(folder);
    if (all.isEmpty())
        throw ImportError(QStringLiteral("%1: brak wzorów BDR_NNNN.wmf").arg(relative(folder)));
    const QMap<int, platform::TemplateOrigin> origins = platform::templateOrigins(
        QFileInfo(folder).path(), platform::shippedDataDir(platform::processDataEnvironment()));
    out << QStringLiteral("numer  rozmiar     skąd       zawartość\n");
    for (const StoredTemplate &t : all) {
        QFile f(t.path);
        const QString what = t.size > wmf::Metafile::MaxFileBytes ? QStringLiteral("za duży")
                             : f.open(QIODevice::ReadOnly)        ? describeTemplate(f.readAll())
                                                                  : QStringLiteral("nie można odczytać");
        out << QStringLiteral("%1  %2 B  %3  %4\n")
                   .arg(editor::templateNumberText(t.number))
                   .arg(t.size, 9)
                   .arg(originText(origins.value(t.number, platform::TemplateOrigin::Own)), what);
    }
    out << QStringLiteral("razem %1 wzorów\n").arg(all.size());
}

// Whether template t is one the program ships: the same number and bytes in
// the installed catalogue.
bool shipped(const StoredTemplate &t)
{
    const QString skeleton = platform::shippedDataDir(platform::processDataEnvironment());
    if (skeleton.isEmpty())
        return false;
    const QString installed = templateFolder(skeleton);
    for (const StoredTemplate &s : storedTemplates(installed))
        if (s.number == t.number) {
            QFile a(t.path), b(s.path);
            return t.size == s.size && a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)
                   && a.readAll() == b.readAll();
        }
    return false;
}

void remove(const Options &o, const QString &folder, QTextStream &out)
{
    const QList<StoredTemplate> all = storedTemplates(folder);
    const auto it = std::find_if(all.begin(), all.end(), [&](const StoredTemplate &t) { return t.number == o.number; });
    if (it == all.end())
        throw ImportError(QStringLiteral("%1: nie ma wzoru nr %2").arg(relative(folder)).arg(o.number));
    if (shipped(*it))
        throw ImportError(
            QStringLiteral("%1: to wzór dostarczony z programem, nie można go usunąć").arg(relative(it->path)));
    if (it->number != all.back().number)
        throw ImportError(QStringLiteral("%1: nie jest ostatnim wzorem (ostatni ma nr %2); edytor przechodzi po numerach "
                                         "tylko do pierwszej luki, więc bez niego nie pokazałby dalszych. Zastąp go "
                                         "innym projektem: dyplom-wzory dodaj PLIK --numer %3 --nadpisz")
                              .arg(relative(it->path))
                              .arg(all.back().number)
                              .arg(o.number));
    if (!QFile::remove(it->path))
        throw ImportError(QStringLiteral("%1: nie można usunąć").arg(relative(it->path)));
    out << QStringLiteral("%1: usunięto wzór nr %2\n").arg(relative(it->path)).arg(o.number);
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
    const int h = qRound(o.width * 297.0 / 210.0);
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

int addDesign(const Options &o, const QString &folder, QString *stored, qint64 *bytes, QByteArray *metafile,
              QStringList *warnings)
{
    ImportOptions io;
    io.fit = o.fit;
    io.page = o.page;
    io.rotate = o.rotate;
    const platform::DataEnvironment env = platform::processDataEnvironment();
    const QString shipped = platform::shippedDataDir(env);
    if (!o.forEveryone && !shipped.isEmpty() && samePlace(folder, templateFolder(shipped)))
        throw ImportError(QStringLiteral("%1 to wzory dołączone do programu, które zastępuje każda aktualizacja; "
                                         "wzór dla całej szkoły: sudo dyplom-wzory dodaj --dla-wszystkich %2")
                              .arg(relative(folder), o.design));
    // The number is checked before the work, and again when storing.
    const int number = o.forEveryone  ? freeSchoolNumber(folder, env, o.number)
                       : o.number > 0 ? o.number
                                      : nextFreeNumber(folder);
    if (!o.overwrite)
        for (const StoredTemplate &t : storedTemplates(folder))
            if (t.number == number)
                throw ImportError(QStringLiteral("%1 już istnieje (--nadpisz pozwala go zastąpić)").arg(relative(t.path)));
    const ImportResult r = importContained(o.design, io);
    if (o.strict && !r.warnings.isEmpty())
        throw ImportError(r.warnings.front() + QStringLiteral(" (--scisle)"));
    const QString path = storeTemplate(folder, number, r.metafile, o.overwrite);
    if (stored)
        *stored = path;
    if (bytes)
        *bytes = r.metafile.size();
    if (metafile)
        *metafile = r.metafile;
    if (warnings)
        *warnings = r.warnings;
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
    const QString folder = o.command == Command::Add && o.forEveryone
                               ? schoolCatalogue(platform::processDataEnvironment())
                               : workingCatalogue(err);
    try {
        switch (o.command) {
        case Command::Add: add(o, folder, out, err); break;
        case Command::List: list(folder, out); break;
        case Command::Preview: preview(o, folder); break;
        case Command::Remove: remove(o, folder, out); break;
        case Command::Help: break;
        }
    } catch (const ImportError &e) {
        err << "dyplom-wzory: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    return 0;
}

} // namespace wzory
