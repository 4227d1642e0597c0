#include "DesignFuzzEntry.h"

#include "wmf/Metafile.h"
#include "wzory/Import.h"
#include "wzory/ImportError.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

bool designFuzzOne(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = dir.filePath(bytes.startsWith("%PDF") ? QStringLiteral("projekt.pdf")
                                                               : QStringLiteral("projekt.svg"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    try {
        const wzory::ImportResult r = wzory::importDesign(path);
        wmf::Metafile::fromBytes(r.metafile);
    } catch (const wzory::ImportError &) {
        return true; // refused, as it may be
    } catch (const wmf::MetafileError &) {
        return false; // a template the editor would not read
    }
    return true;
}

std::vector<QByteArray> designSeeds()
{
    const QByteArray head = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                            "width=\"210mm\" height=\"297mm\" viewBox=\"0 0 210 297\">";
    std::vector<QByteArray> seeds = {
        head + "<rect x=\"10\" y=\"10\" width=\"190\" height=\"277\" fill=\"none\" stroke=\"#1f3a68\" stroke-width=\"3\"/></svg>",
        head
            + "<defs><linearGradient id=\"g\"><stop offset=\"0\" stop-color=\"#c00\"/><stop offset=\"1\" stop-color=\"#520\"/>"
              "</linearGradient></defs><rect x=\"8\" y=\"8\" width=\"194\" height=\"281\" fill=\"none\" stroke=\"url(#g)\" "
              "stroke-width=\"7\"/></svg>",
        head
            + "<defs><clipPath id=\"c\"><circle cx=\"105\" cy=\"148\" r=\"60\"/></clipPath></defs><g clip-path=\"url(#c)\">"
              "<rect width=\"210\" height=\"148\" fill=\"#c9a227\"/></g></svg>",
        head
            + "<defs><filter id=\"b\"><feGaussianBlur stdDeviation=\"4\"/></filter></defs><circle cx=\"105\" cy=\"148\" "
              "r=\"40\" fill=\"#1f3a68\" filter=\"url(#b)\"/></svg>",
        head
            + "<text font-size=\"12\"><tspan x=\"20\" y=\"40\">Dyplom</tspan><tspan x=\"20\" y=\"60\">dla</tspan></text>"
              "<image x=\"10\" y=\"100\" width=\"20\" height=\"20\" xlink:href=\"../logo.png\"/></svg>",
    };
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setResolution(72);
        QPainter p(&writer);
        p.setPen(QPen(QColor(0x7a, 0x1e, 0x2c), 6));
        p.drawRect(20, 20, 560, 740);
        QLinearGradient g(0, 0, 600, 0);
        g.setColorAt(0, Qt::red);
        g.setColorAt(1, QColor(0x5a, 0x2d, 0x0c));
        p.fillRect(60, 60, 480, 100, g);
    }
    seeds.push_back(pdf);
    return seeds;
}
