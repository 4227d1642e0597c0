#include "PdfObjectWriter.h"

#include "PdfComposer.h"

#include <QByteArray>
#include <QIODevice>

namespace batch {

PdfObjectWriter::PdfObjectWriter(QIODevice &device, const std::string &version) : device_(device)
{
    write("%PDF-" + version + "\n%\xE2\xE3\xCF\xD3\n");
}

void PdfObjectWriter::write(const char *data, size_t size)
{
    while (size > 0) {
        const qint64 written = device_.write(data, qint64(size));
        if (written <= 0)
            throw PdfComposeError("zapis nie powiódł się (" + device_.errorString().toStdString() + ")");
        data += written;
        size -= size_t(written);
        position_ += written;
    }
}

std::string PdfObjectWriter::deflated(const std::string &text)
{
    // Qt's compressed form is zlib's after four bytes of length.
    const QByteArray data = qCompress(reinterpret_cast<const uchar *>(text.data()), qsizetype(text.size()), 9);
    return data.size() > 4 ? std::string(data.constData() + 4, size_t(data.size() - 4)) : std::string();
}

int PdfObjectWriter::reserve()
{
    places_.emplace_back();
    return int(places_.size());
}

void PdfObjectWriter::writeObject(int number, const std::string &body)
{
    // In an object stream a page's dictionary costs a few bytes.
    packedHeader_ += std::to_string(number) + ' ' + std::to_string(packedBodies_.size()) + ' ';
    packedBodies_ += body;
    packedBodies_ += '\n';
    packed_.push_back(number);
    if (packed_.size() >= 200 || packedBodies_.size() >= 256 * 1024)
        flushPacked();
}

void PdfObjectWriter::flushPacked()
{
    if (packed_.empty())
        return;
    const int number = reserve();
    const std::string data = deflated(packedHeader_ + packedBodies_);
    writeStream(number,
                "<</Type /ObjStm /N " + std::to_string(packed_.size()) + " /First "
                    + std::to_string(packedHeader_.size()) + " /Filter /FlateDecode ",
                data.data(), data.size());
    for (size_t k = 0; k < packed_.size(); ++k)
        places_[size_t(packed_[k] - 1)] = {-1, number, int(k)};
    packed_.clear();
    packedHeader_.clear();
    packedBodies_.clear();
}

void PdfObjectWriter::writeStream(int number, const std::string &dictionaryStart, const char *data, size_t size)
{
    places_[size_t(number - 1)].offset = position_;
    write(std::to_string(number) + " 0 obj\n" + dictionaryStart + "/Length " + std::to_string(size) + ">>\nstream\n");
    write(data, size);
    write("\nendstream\nendobj\n");
}

void PdfObjectWriter::finish(int root, int info, const std::string &id)
{
    flushPacked();
    // Per object a type, 5 bytes of offset or object stream number, 2 of
    // generation or index.
    const int self = reserve();
    places_.back().offset = position_;
    std::string rows;
    rows.reserve((places_.size() + 1) * 8);
    const auto row = [&rows](int type, qint64 field2, int field3) {
        rows += char(type);
        for (const int shift : {32, 24, 16, 8, 0})
            rows += char((field2 >> shift) & 0xff);
        rows += char((field3 >> 8) & 0xff);
        rows += char(field3 & 0xff);
    };
    row(0, 0, 0xffff);
    for (const Place &place : places_) {
        if (place.offset < 0 && place.stream == 0)
            throw PdfComposeError("obiekt bez treści");
        if (place.offset >= 0)
            row(1, place.offset, 0);
        else
            row(2, place.stream, place.index);
    }
    const qint64 start = position_;
    const std::string table = deflated(rows);
    const std::string identifier = "<" + id + ">";
    writeStream(self,
                "<</Type /XRef /Size " + std::to_string(places_.size() + 1) + " /W [1 5 2] /Root "
                    + std::to_string(root) + " 0 R /Info " + std::to_string(info) + " 0 R /ID [" + identifier
                    + identifier + "] /Filter /FlateDecode ",
                table.data(), table.size());
    write("startxref\n" + std::to_string(start) + "\n%%EOF\n");
}

} // namespace batch
