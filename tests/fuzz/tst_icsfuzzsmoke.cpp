#include "FuzzSmoke.h"
#include "IcsFuzzEntry.h"

class TestIcsFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        const SmokeResult r = runFuzzSmoke(icsFuzzOne, icsSeeds(), QStringLiteral("corpus-ics"), 20261209, 20000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 1000);
    }
};

QTEST_GUILESS_MAIN(TestIcsFuzzSmoke)
#include "tst_icsfuzzsmoke.moc"
