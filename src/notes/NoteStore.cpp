#include "NoteStore.h"

#include "platform/Cp1250.h"
#include "platform/IoError.h"
#include "platform/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <QCryptographicHash>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace notes {

QString titleOf(const QString &text)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            return t.size() > 60 ? t.left(59) + QChar(0x2026) : t;
    }
    return QStringLiteral("(pusta notatka)");
}

namespace {

NoteStamp stampOf(const QString &path, const QByteArray &bytes)
{
    NoteStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.size = bytes.size();
    stamp.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return stamp;
}

// Root may write anything: the permission bits decide for it.
bool mayWrite(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::geteuid() != 0)
        return ::access(native.constData(), W_OK) == 0;
    struct stat st {};
    return ::stat(native.constData(), &st) == 0 && (st.st_mode & 0222) != 0;
}

} // namespace

NoteStore::NoteStore(const QString &folder) : folder_(folder)
{
    QDir().mkpath(folder_);
}

QString NoteStore::pathOf(const QString &fileName) const
{
    return QDir(folder_).filePath(fileName);
}

Note NoteStore::load(const QString &fileName) const
{
    Note note;
    note.fileName = fileName;
    const QString path = pathOf(fileName);
    note.modified = QFileInfo(path).lastModified();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        note.writable = false;
        note.problem = QStringLiteral("nie można odczytać pliku: %1").arg(file.errorString());
        note.title = fileName;
        return note;
    }
    QByteArray bytes = file.readAll();
    note.stamp = stampOf(path, bytes);
    note.lineEnd = bytes.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    note.bom = bytes.startsWith("\xEF\xBB\xBF");
    if (note.bom)
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || bytes.contains('\0')) {
        note.writable = false;
        note.problem = QStringLiteral("plik nie jest zapisany w UTF-8; pokazano go jako Windows-1250, tylko do odczytu");
        note.text = platform::fromCp1250(bytes);
    } else {
        note.text = text;
        if (!mayWrite(path) || !mayWrite(folder_)) {
            note.writable = false;
            note.problem = QStringLiteral("brak prawa zapisu do pliku lub folderu; notatka tylko do odczytu");
        }
    }
    note.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    note.title = titleOf(note.text);
    return note;
}

QList<Note> NoteStore::list() const
{
    QList<Note> notes;
    const QFileInfoList files = QDir(folder_).entryInfoList({QStringLiteral("*.txt"), QStringLiteral("*.TXT")},
                                                            QDir::Files, QDir::Name);
    for (const QFileInfo &info : files)
        notes << load(info.fileName());
    std::stable_sort(notes.begin(), notes.end(), [](const Note &a, const Note &b) { return a.modified > b.modified; });
    return notes;
}

QString NoteStore::create(const QDateTime &when)
{
    const QString base = QStringLiteral("notatka-%1").arg(when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString name = base + QStringLiteral(".txt");
    for (int n = 2; QFileInfo::exists(pathOf(name)); ++n)
        name = base + QStringLiteral("-%1.txt").arg(n);
    platform::writeRecordFile(pathOf(name), QByteArray());
    return name;
}

void NoteStore::save(const QString &fileName, const QString &text)
{
    save(load(fileName), text);
}

NoteStamp NoteStore::save(const Note &note, const QString &text)
{
    QByteArray bytes = note.bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += QString(text).replace(QLatin1Char('\n'), QString::fromLatin1(note.lineEnd)).toUtf8();
    platform::writeRecordFile(pathOf(note.fileName), bytes);
    return stampOf(pathOf(note.fileName), bytes);
}

bool NoteStore::changedSince(const Note &note) const
{
    QFile file(pathOf(note.fileName));
    if (!file.open(QIODevice::ReadOnly))
        return QFileInfo::exists(pathOf(note.fileName)) || note.stamp.size >= 0;
    return stampOf(file.fileName(), file.readAll()) != note.stamp;
}

void NoteStore::remove(const QString &fileName)
{
    QFile file(pathOf(fileName));
    if (file.exists() && !file.remove())
        throw platform::IoError(platform::IoCode::AccessDenied);
}

} // namespace notes
