// The SVG preparation: lengths at 96 per inch, the viewBox a drawing sized
// in absolute units gets, inflating with a limit, and which top-level
// elements need the reference renderer.
#include "wzory/ImportError.h"
#include "wzory/SvgLayers.h"
#include "wzory/SvgSource.h"
#include "wzory/SvgUnits.h"

#include <QtTest>
#include <zlib.h>

class TestWzorySvg : public QObject {
    Q_OBJECT
private slots:
    void lengthsAre96PerInch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("px");
        QTest::newRow("plain number") << "600" << 600.0;
        QTest::newRow("px") << "12.5px" << 12.5;
        QTest::newRow("inch") << "8.5in" << 816.0;
        QTest::newRow("mm") << "210mm" << 793.7007874;
        QTest::newRow("cm, spaces") << " 2.54 cm " << 96.0;
        QTest::newRow("pt") << "72pt" << 96.0;
        QTest::newRow("pc") << "1pc" << 16.0;
        QTest::newRow("exponent") << "1e2" << 100.0;
        QTest::newRow("percent is not absolute") << "100%" << -1.0;
        QTest::newRow("em is not absolute") << "3em" << -1.0;
        QTest::newRow("negative") << "-5" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
    }

    void lengthsAre96PerInch()
    {
        QFETCH(QString, text);
        QFETCH(double, px);
        QVERIFY2(std::abs(wzory::svgLength(text) - px) < 1e-6, qPrintable(QString::number(wzory::svgLength(text))));
    }

    // Qt's renderer reads "8mm" as 8 (or not at all); librsvg and the
    // standard as 8 × 96 / 25.4 user units.
    void absoluteLengthsBecomeUserUnits_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("expected");
        QTest::newRow("geometry in mm") << "<rect x=\"25.4mm\" y='1in' width=\"72pt\" height=\"1pc\"/>"
                                        << "<rect x=\"96\" y='96' width=\"96\" height=\"16\"/>";
        QTest::newRow("stroke width, negative, exponent") << "<line x1=\"-2.54cm\" y1=\"1e1px\" stroke-width=\"2.54mm\"/>"
                                                          << "<line x1=\"-96\" y1=\"10\" stroke-width=\"9.6\"/>";
        QTest::newRow("style declarations")
            << "<text style=\"fill:#000; font-size:9pt;stroke-width: 1mm\">9mm</text>"
            << "<text style=\"fill:#000; font-size:12;stroke-width: 3.779527559\">9mm</text>";
        QTest::newRow("a list") << "<path stroke-dasharray=\"1in, 0.5in\"/>"
                                << "<path stroke-dasharray=\"96, 48\"/>";
        QTest::newRow("relative units and plain numbers stay")
            << "<rect x=\"10%\" y=\"2em\" width=\"5\" height=\"3ex\"/>"
            << "<rect x=\"10%\" y=\"2em\" width=\"5\" height=\"3ex\"/>";
        QTest::newRow("other attributes and namespaced ones stay")
            << "<g id=\"x1mm\" inkscape:x=\"3mm\" transform=\"translate(1 2)\" font-family=\"5mm\"/>"
            << "<g id=\"x1mm\" inkscape:x=\"3mm\" transform=\"translate(1 2)\" font-family=\"5mm\"/>";
    }

    void absoluteLengthsBecomeUserUnits()
    {
        QFETCH(QString, element);
        QFETCH(QString, expected);
        const QString root = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\">");
        QCOMPARE(wzory::withUserUnits(root + element + QStringLiteral("</svg>"), root.size() - 1),
                 root + expected + QStringLiteral("</svg>"));
    }

    void sizeComesFromTheViewBoxOrTheAbsoluteSize_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("viewBoxAdded");
        QTest::newRow("viewBox wins") << QByteArray(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\" viewBox=\"0,0 21 29.7\"/>")
                                      << QSizeF(21, 29.7) << false;
        QTest::newRow("mm without viewBox")
            << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\"><rect/></svg>")
            << QSizeF(793.7007874, 1122.519685) << true;
        QTest::newRow("after a declaration and a comment") << QByteArray(
            "<?xml version=\"1.0\"?>\n<!-- > -->\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1in\" height=\"2in\"\n/>")
                                                           << QSizeF(96, 192) << true;
        QTest::newRow("no size at all") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect/></svg>")
                                        << QSizeF() << false;
    }

    void sizeComesFromTheViewBoxOrTheAbsoluteSize()
    {
        QFETCH(QByteArray, svg);
        QFETCH(QSizeF, size);
        QFETCH(bool, viewBoxAdded);
        const wzory::SvgSource s = wzory::prepareSvg(svg, QStringLiteral("a.svg"));
        QVERIFY(std::abs(s.size.width() - size.width()) < 1e-4 && std::abs(s.size.height() - size.height()) < 1e-4);
        QCOMPARE(s.text.count("viewBox") > svg.count("viewBox"), viewBoxAdded);
        QXmlStreamReader xml(s.text);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString())); // still well-formed
    }

    void inflatingStopsAtTheLimit()
    {
        const QByteArray plain = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>" + QByteArray(100000, ' ');
        QByteArray gz(int(compressBound(uLong(plain.size()))) + 64, '\0');
        z_stream z{};
        deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(plain.constData()));
        z.avail_in = uInt(plain.size());
        z.next_out = reinterpret_cast<Bytef *>(gz.data());
        z.avail_out = uInt(gz.size());
        deflate(&z, Z_FINISH);
        gz.resize(qsizetype(z.total_out));
        deflateEnd(&z);
        QCOMPARE(wzory::inflateSvg(gz, QStringLiteral("a.svgz"), plain.size()), plain);
        QVERIFY_THROWS_EXCEPTION(wzory::ImportError, wzory::inflateSvg(gz, QStringLiteral("a.svgz"), plain.size() - 1));
        QVERIFY_THROWS_EXCEPTION(wzory::ImportError,
                                 wzory::inflateSvg(gz.left(gz.size() / 2), QStringLiteral("a.svgz"), 1 << 20));
    }

    void layersNeedingTheReferenceRenderer_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("expected"); // per top-level element: "" or a word of the feature
        QTest::newRow("plain shapes") << QByteArray("<rect width=\"5\" height=\"5\"/><g><circle r=\"3\"/></g>")
                                      << QStringList{"", ""};
        QTest::newRow("definitions are not layers")
            << QByteArray("<defs><clipPath id=\"c\"><rect/></clipPath></defs><rect/><g clip-path=\"url(#c)\"><rect/></g>")
            << QStringList{"", "clip-path"};
        QTest::newRow("mask deep inside") << QByteArray("<g><g><rect mask=\"url(#m)\"/></g></g>") << QStringList{"mask"};
        QTest::newRow("filter in a style")
            << QByteArray("<rect style=\"fill:red; filter: url(#f)\"/>") << QStringList{"filter"};
        QTest::newRow("filter none") << QByteArray("<rect filter=\"none\"/>") << QStringList{""};
        QTest::newRow("pattern fill defined later")
            << QByteArray("<rect fill=\"url(#p)\"/><pattern id=\"p\"/>") << QStringList{"pattern"};
        QTest::newRow("transformed radial gradient") << QByteArray(
            "<radialGradient id=\"r\" gradientTransform=\"scale(2 1)\"/><rect fill=\"url('#r')\"/><rect fill=\"url(#x)\"/>")
                                                     << QStringList{"gradientTransform", ""};
        QTest::newRow("text lines") << QByteArray("<text><tspan x=\"1\" y=\"2\">a</tspan></text><text>b</text>")
                                    << QStringList{"tspan", ""};
        QTest::newRow("markers and blending")
            << QByteArray("<path marker-end=\"url(#m)\"/><rect style=\"mix-blend-mode:multiply\"/>")
            << QStringList{"marker", "mix-blend-mode"};
        QTest::newRow("a style sheet") << QByteArray("<style>rect{fill:red}</style><rect/>") << QStringList{"CSS"};
    }

    void layersNeedingTheReferenceRenderer()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, expected);
        const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">" + body + "</svg>";
        const wzory::SvgLayers doc = wzory::svgLayers(svg);
        QCOMPARE(int(doc.layers.size()), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const QString features = doc.layers[size_t(i)].features.join(QLatin1Char(','));
            QVERIFY2(expected[i].isEmpty() ? features.isEmpty() : features.contains(expected[i]), qPrintable(features));
        }
        // Keeping one layer hides the others but leaves the document whole.
        const QByteArray only = wzory::svgWithOnly(doc, {0});
        QCOMPARE(only.count("display=\"none\""), qsizetype(expected.size() - 1));
        QXmlStreamReader xml(only);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY(!xml.hasError());
    }
};

QTEST_MAIN(TestWzorySvg)
#include "tst_wzory_svg.moc"
