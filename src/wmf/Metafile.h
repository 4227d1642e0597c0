#pragma once
#include <QByteArray>
#include <QRectF>
#include <QString>
#include <memory>
#include <stdexcept>

class QPainter;

namespace wmf {

// A file that is not a metafile, or one whose records are damaged beyond use.
// what() is the text shown to the user.
class MetafileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ParsedMetafile; // the reader's output, private to src/wmf

// A parsed Windows Metafile, cheap to copy (shared, immutable).
class Metafile {
public:
    // Larger input is refused as damaged; readers need not load more.
    static constexpr int MaxFileBytes = 32 * 1024 * 1024;

    Metafile() = default; // the empty picture: draws nothing

    // Parses placeable and plain metafiles. Throws MetafileError for input
    // that is not a metafile or too damaged to draw anything.
    static Metafile fromBytes(const QByteArray &bytes);

    bool isEmpty() const { return !data_; }

    // The picture's frame in logical units (placeable bounding box, or the
    // window extent / drawn extent of a plain metafile).
    QRectF frame() const;

    // Draws the whole picture stretched to target, independently in width and
    // height, keeping pens, fonts and bitmaps in scale. Vector output on a
    // vector device (PDF, printer).
    void draw(QPainter &painter, const QRectF &target) const;

    // Facts about the parsed file, for callers that report on it and tests.
    bool isPlaceable() const;
    int unitsPerInch() const;   // placeable only, else 0
    int recordCount() const;    // records kept (up to EOF or the damage)
    bool isTruncated() const;   // damage cut the record list short
    int damagedRecords() const; // records skipped because their parameters are broken
    // What damage the player works around, in a few words (English, for
    // messages that quote it); empty for a sound file. Known at parse time.
    QString damage() const;
    bool isDamaged() const { return !damage().isEmpty(); }
    // The bounding box of what the records draw, in logical units of the
    // first window (computed on each call).
    QRectF drawnExtent() const;

private:
    std::shared_ptr<const ParsedMetafile> data_;
};

} // namespace wmf
