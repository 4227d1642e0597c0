#include "ClassSettings.h"

#include <QFileInfo>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>
#include <QUrl>

namespace klasa::settings {

namespace {

template <typename T>
struct Setting {
    const char *key;
    T fallback;
    T get() const { return QSettings().value(QLatin1String(key), QVariant::fromValue(fallback)).template value<T>(); }
    void set(const T &value) const { QSettings().setValue(QLatin1String(key), QVariant::fromValue(value)); }
};

constexpr Setting<bool> Shrink{"opcje/dopasuj", false};
constexpr Setting<bool> Centre{"opcje/wysrodkuj", false};
constexpr Setting<bool> TextBackground{"opcje/tlo", true};
constexpr Setting<bool> SurnameFirst{"opcje/nazwiskoNajpierw", false};

QString folderKey(Folder kind)
{
    switch (kind) {
    case Folder::Diploma: return QStringLiteral("foldery/dyplom");
    case Folder::List: return QStringLiteral("foldery/lista");
    case Folder::Output: return QStringLiteral("foldery/wynik");
    case Folder::Design: break;
    }
    return QStringLiteral("foldery/wzor");
}

// Layouts are header texts: any character, none of them a key's "/".
QString columnsKey(const QString &layout)
{
    return QStringLiteral("kolumny/") + QString::fromLatin1(QUrl::toPercentEncoding(layout));
}

QString encode(const ColumnChoice &c)
{
    return QStringLiteral("%1:%2:%3").arg(int(c.use)).arg(c.body).arg(c.field);
}

ColumnChoice decode(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    ColumnChoice c;
    c.use = ColumnChoice::Use(qBound(0, parts.value(0).toInt(), int(ColumnChoice::Surname)));
    c.body = qBound(0, parts.value(1).toInt(), 5);
    c.field = parts.mid(2).join(QLatin1Char(':'));
    return c;
}

} // namespace

ClassSession::Options options()
{
    ClassSession::Options o;
    o.shrink = Shrink.get();
    o.centre = Centre.get();
    o.textBackground = TextBackground.get();
    o.sheets = sheetLayout();
    return o;
}

void setOptions(const ClassSession::Options &options)
{
    Shrink.set(options.shrink);
    Centre.set(options.centre);
    TextBackground.set(options.textBackground);
    setSheetLayout(options.sheets);
}

namespace {

// A per-diploma key: the diploma's absolute path.
QString textOnlyKey(const QString &diplomaPath)
{
    return QStringLiteral("bez-wzoru/")
           + QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(diplomaPath).absoluteFilePath()));
}

} // namespace

bool textOnly(const QString &diplomaPath)
{
    return QSettings().value(textOnlyKey(diplomaPath), false).toBool();
}

void setTextOnly(const QString &diplomaPath, bool on)
{
    QSettings().setValue(textOnlyKey(diplomaPath), on);
}

bool surnameFirst()
{
    return SurnameFirst.get();
}

void setSurnameFirst(bool on)
{
    SurnameFirst.set(on);
}

batch::SheetLayout sheetLayout()
{
    const QSettings s;
    batch::SheetLayout layout;
    const QString paper = batch::paperName(s.value(QStringLiteral("arkusz/papier")).toString());
    if (!paper.isEmpty())
        layout.paper = paper;
    layout.landscape = s.value(QStringLiteral("arkusz/poziomo"), false).toBool();
    const int perSheet = s.value(QStringLiteral("arkusz/naArkuszu"), 1).toInt();
    layout.perSheet = perSheet == 2 || perSheet == 4 ? perSheet : 1;
    return layout;
}

void setSheetLayout(const batch::SheetLayout &layout)
{
    QSettings s;
    s.setValue(QStringLiteral("arkusz/papier"), layout.paper);
    s.setValue(QStringLiteral("arkusz/poziomo"), layout.landscape);
    s.setValue(QStringLiteral("arkusz/naArkuszu"), layout.perSheet);
}

QString folder(Folder kind)
{
    const QString f = QSettings().value(folderKey(kind)).toString();
    return !f.isEmpty() && QFileInfo(f).isDir() ? f : QString();
}

void setFolder(Folder kind, const QString &folder)
{
    QSettings().setValue(folderKey(kind), QFileInfo(folder).absoluteFilePath());
}

QList<ColumnChoice> columnChoices(const QString &layout)
{
    QList<ColumnChoice> out;
    for (const QString &text : QSettings().value(columnsKey(layout)).toStringList())
        out.append(decode(text));
    return out;
}

void setColumnChoices(const QString &layout, const QList<ColumnChoice> &choices)
{
    QStringList encoded;
    for (const ColumnChoice &c : choices)
        encoded.append(encode(c));
    QSettings().setValue(columnsKey(layout), encoded);
}

} // namespace klasa::settings
