#include "FuzzSmoke.h"
#include "SheetFuzzEntry.h"
#include "SheetSamples.h"

// The outside libraries (libzip, libfreexl) are slower per input than our
// own readers: each run stops at its mutation count or the time cap of
// runFuzzSmoke, whichever comes first.
class TestSheetFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void xlsxSurvives()
    {
        const SmokeResult r = runFuzzSmoke(xlsxFuzzOne, sheetsamples::xlsxSeeds(), QStringLiteral("corpus-xlsx"),
                                           20261208, 8000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 300);
    }
    void odsSurvives()
    {
        const SmokeResult r = runFuzzSmoke(odsFuzzOne, sheetsamples::odsSeeds(), QStringLiteral("corpus-ods"), 20261209,
                                           8000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 300);
    }
    void xlsSurvives()
    {
        const SmokeResult r = runFuzzSmoke(xlsFuzzOne, {}, QStringLiteral("corpus-xls"), 20261210, 3000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 50); // a process per input: with sanitizers a few hundred fit the cap
    }
};

QTEST_GUILESS_MAIN(TestSheetFuzzSmoke)
#include "tst_sheetfuzzsmoke.moc"
