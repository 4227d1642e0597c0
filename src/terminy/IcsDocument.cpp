#include "IcsDocument.h"

#include <QStringDecoder>

namespace tasks {
namespace {

bool isBegin(const QString &text, const QString &what = QString())
{
    return text.startsWith(QLatin1String("BEGIN:"), Qt::CaseInsensitive)
           && (what.isEmpty() || text.mid(6).trimmed().compare(what, Qt::CaseInsensitive) == 0);
}

bool isEnd(const QString &text, const QString &what = QString())
{
    return text.startsWith(QLatin1String("END:"), Qt::CaseInsensitive)
           && (what.isEmpty() || text.mid(4).trimmed().compare(what, Qt::CaseInsensitive) == 0);
}

// Continuation lines start with one blank; a line is at most 75 octets.
QString fold(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() <= 75)
        return text;
    QByteArray out;
    int start = 0;
    int limit = 75;
    while (start < utf8.size()) {
        int end = std::min<int>(start + limit, utf8.size());
        // Never inside a UTF-8 sequence.
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        if (start > 0)
            out += "\r\n ";
        out += utf8.mid(start, end - start);
        start = end;
        limit = 74;
    }
    return QString::fromUtf8(out);
}

} // namespace

QString IcsDocument::nameOf(const QString &text)
{
    int end = 0;
    while (end < text.size() && text[end] != QLatin1Char(':') && text[end] != QLatin1Char(';'))
        ++end;
    return text.left(end).trimmed().toUpper();
}

bool IcsDocument::parse(const QByteArray &bytes, IcsDocument &into, QString &error)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString content = utf8.decode(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    if (utf8.hasError()) {
        error = QStringLiteral("plik nie jest zapisany w UTF-8");
        return false;
    }
    content.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    IcsDocument doc;
    for (const QString &physical : content.split(QLatin1Char('\n'))) {
        if (!physical.isEmpty() && (physical[0] == QLatin1Char(' ') || physical[0] == QLatin1Char('\t'))
            && !doc.lines_.isEmpty()) {
            doc.lines_.last().raw += QStringLiteral("\r\n") + physical;
            doc.lines_.last().text += QStringView(physical).mid(1);
            continue;
        }
        if (physical.isEmpty())
            continue;
        doc.lines_.append({physical, physical});
    }
    if (doc.lines_.isEmpty() || !isBegin(doc.lines_.first().text, QStringLiteral("VCALENDAR"))) {
        error = QStringLiteral("to nie jest plik iCalendar (brak BEGIN:VCALENDAR)");
        return false;
    }
    QStringList open;
    for (const Line &line : doc.lines_) {
        if (isBegin(line.text)) {
            open << line.text.mid(6).trimmed().toUpper();
        } else if (isEnd(line.text)) {
            if (open.isEmpty() || open.last() != line.text.mid(4).trimmed().toUpper()) {
                error = QStringLiteral("składniki kalendarza nie zamykają się po kolei (%1)").arg(line.text);
                return false;
            }
            open.removeLast();
        }
    }
    if (!open.isEmpty() || !isEnd(doc.lines_.last().text, QStringLiteral("VCALENDAR"))) {
        error = QStringLiteral("plik jest niepełny (brak END:VCALENDAR)");
        return false;
    }
    into = doc;
    return true;
}

IcsDocument IcsDocument::empty()
{
    IcsDocument doc;
    for (const char *text :
         {"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Edytor dyplomow//Terminarz//PL", "END:VCALENDAR"})
        doc.lines_.append({QString::fromLatin1(text), QString::fromLatin1(text)});
    return doc;
}

QByteArray IcsDocument::serialize() const
{
    QByteArray out;
    for (const Line &line : lines_) {
        out += line.raw.toUtf8();
        out += "\r\n";
    }
    return out;
}

QList<IcsDocument::Block> IcsDocument::todos() const
{
    QList<Block> blocks;
    int depth = 0;
    int begin = -1;
    for (int i = 0; i < lines_.size(); ++i) {
        const QString &t = lines_[i].text;
        if (isBegin(t)) {
            ++depth;
            if (depth == 2 && isBegin(t, QStringLiteral("VTODO")))
                begin = i;
        } else if (isEnd(t)) {
            if (depth == 2 && begin >= 0 && isEnd(t, QStringLiteral("VTODO"))) {
                blocks.append({begin, i});
                begin = -1;
            }
            --depth;
        }
    }
    return blocks;
}

int IcsDocument::findProperty(const Block &todo, const QString &name) const
{
    int depth = 0;
    for (int i = todo.begin + 1; i < todo.end; ++i) {
        const QString &t = lines_[i].text;
        if (isBegin(t))
            ++depth;
        else if (isEnd(t))
            --depth;
        else if (depth == 0 && nameOf(t) == name.toUpper())
            return i;
    }
    return -1;
}

QString IcsDocument::value(const Block &todo, const QString &name) const
{
    const int i = findProperty(todo, name);
    if (i < 0)
        return QString();
    // The value follows the first colon outside quoted parameter values.
    const QString &t = lines_[i].text;
    bool quoted = false;
    for (int c = 0; c < t.size(); ++c) {
        if (t[c] == QLatin1Char('"'))
            quoted = !quoted;
        else if (t[c] == QLatin1Char(':') && !quoted)
            return t.mid(c + 1);
    }
    return QString();
}

QString IcsDocument::parameters(const Block &todo, const QString &name) const
{
    const int i = findProperty(todo, name);
    if (i < 0)
        return QString();
    const QString &t = lines_[i].text;
    const int nameEnd = nameOf(t).size();
    const QString rest = t.mid(nameEnd);
    const QString v = value(todo, name);
    return rest.left(rest.size() - v.size() - 1);
}

void IcsDocument::setProperty(const Block &todo, const QString &name, const QString &parametersAndValue)
{
    const QString text = name + parametersAndValue;
    const Line line{fold(text), text};
    const int i = findProperty(todo, name);
    if (i >= 0) {
        lines_[i] = line;
        return;
    }
    // Properties come before the components nested in the to-do (alarms).
    int at = todo.begin + 1;
    while (at < todo.end && !isBegin(lines_[at].text))
        ++at;
    lines_.insert(at, line);
}

void IcsDocument::removeProperty(const Block &todo, const QString &name)
{
    const int i = findProperty(todo, name);
    if (i >= 0)
        lines_.removeAt(i);
}

IcsDocument::Block IcsDocument::addTodo(const QStringList &propertyLines)
{
    const int at = lines_.size() - 1; // before END:VCALENDAR
    QList<Line> block{{QStringLiteral("BEGIN:VTODO"), QStringLiteral("BEGIN:VTODO")}};
    for (const QString &p : propertyLines)
        block.append({fold(p), p});
    block.append({QStringLiteral("END:VTODO"), QStringLiteral("END:VTODO")});
    for (int k = 0; k < block.size(); ++k)
        lines_.insert(at + k, block[k]);
    return {at, at + static_cast<int>(block.size()) - 1};
}

void IcsDocument::removeTodo(const Block &todo)
{
    lines_.remove(todo.begin, todo.end - todo.begin + 1);
}

int IcsDocument::otherComponents(const Block &todo) const
{
    int count = 0;
    int depth = 0;
    for (int i = 0; i < lines_.size(); ++i) {
        const QString &t = lines_[i].text;
        if (isBegin(t)) {
            ++depth;
            if (depth == 2 && i != todo.begin)
                ++count;
        } else if (isEnd(t)) {
            --depth;
        }
    }
    return count;
}

QString IcsDocument::escapeText(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            out += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            out += c;
    }
    return out;
}

QString IcsDocument::unescapeText(const QString &value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value[++i];
            out += (n == QLatin1Char('n') || n == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : n;
        } else {
            out += value[i];
        }
    }
    return out;
}

} // namespace tasks
