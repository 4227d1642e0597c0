#pragma once
#include <QtGlobal>

#include <string>
#include <vector>

class QIODevice;

namespace batch {

// A PDF file written front to back: numbered objects as they come, streams
// at once, every other object gathered into compressed object streams, and
// at the end a cross-reference stream. Only each object's place in the file
// is kept, whatever was written. A write the device refuses throws
// PdfComposeError.
class PdfObjectWriter {
public:
    // Writes the header of a file of this version (at least 1.5).
    PdfObjectWriter(QIODevice &device, const std::string &version);

    // A number for an object written later.
    int reserve();
    // body: the object's text, e.g. "<</Type /Page ...>>".
    void writeObject(int number, const std::string &body);
    // dictionaryStart: "<<" and the entries but /Length, which is added.
    void writeStream(int number, const std::string &dictionaryStart, const char *data, size_t size);
    // Ends the file; root and info are object numbers, id the file
    // identifier's hexadecimal digits. Every reserved number must have been
    // written.
    void finish(int root, int info, const std::string &id);

    qint64 position() const { return position_; }

    // zlib's format, as FlateDecode reads it.
    static std::string deflated(const std::string &text);

private:
    // Where an object is: at an offset of the file, or the index-th in the
    // object stream of that number.
    struct Place {
        qint64 offset = -1;
        int stream = 0;
        int index = 0;
    };

    void write(const char *data, size_t size);
    void write(const std::string &text) { write(text.data(), text.size()); }
    void flushPacked();

    QIODevice &device_;
    qint64 position_ = 0;
    std::vector<Place> places_; // by object number - 1
    std::vector<int> packed_;   // objects waiting for their object stream
    std::string packedHeader_, packedBodies_;
};

} // namespace batch
