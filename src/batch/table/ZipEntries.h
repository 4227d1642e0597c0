#pragma once
#include <QByteArray>
#include <QString>

#include <memory>

struct zip;
struct zip_file;

// The entries of a zip archive held in memory (.xlsx and .ods are zips),
// read through libzip. Every byte inflated from any entry counts against one
// budget, counted while inflating: the sizes an archive declares are not
// trusted, since a small file can inflate to gigabytes.
namespace batch {

class ZipEntries {
public:
    // Throws TableError naming fileName when bytes are not a sound archive.
    ZipEntries(const QByteArray &bytes, const QString &fileName, qint64 maxInflatedBytes);
    ~ZipEntries();
    ZipEntries(const ZipEntries &) = delete;
    ZipEntries &operator=(const ZipEntries &) = delete;

    // Entry names match without regard to letter case, as in the formats.
    bool contains(const QString &name) const;

    // One entry read in pieces, so a large sheet never sits in memory whole.
    class Stream {
    public:
        ~Stream();
        // The next piece; empty at the end. Throws TableError on damage or
        // when the budget runs out.
        QByteArray next();

    private:
        friend class ZipEntries;
        Stream(ZipEntries &owner, zip_file *file, const QString &name);
        ZipEntries &owner_;
        zip_file *file_;
        QString name_;
        bool end_ = false;
    };

    // Throws TableError when the entry is missing or cannot be opened.
    std::unique_ptr<Stream> open(const QString &name);
    // A small entry whole; more than maxBytes is refused.
    QByteArray readAll(const QString &name, qint64 maxBytes);

    qint64 inflatedBytes() const { return inflated_; }
    const QString &fileName() const { return fileName_; }

private:
    [[noreturn]] void fail(const QString &what) const;

    QByteArray bytes_; // libzip reads from this buffer; it must outlive the archive
    QString fileName_;
    qint64 budget_;
    qint64 inflated_ = 0;
    zip *archive_ = nullptr;
};

} // namespace batch
