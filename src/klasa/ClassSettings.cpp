#include "ClassSettings.h"

#include <QFileInfo>
#include <QSettings>
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
    return o;
}

void setOptions(const ClassSession::Options &options)
{
    Shrink.set(options.shrink);
    Centre.set(options.centre);
    TextBackground.set(options.textBackground);
}

bool surnameFirst()
{
    return SurnameFirst.get();
}

void setSurnameFirst(bool on)
{
    SurnameFirst.set(on);
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
