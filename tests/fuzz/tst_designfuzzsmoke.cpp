#include "DesignFuzzEntry.h"
#include "FuzzSmoke.h"

class TestDesignFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        // Outside renderers are slow: the run stops after 15 s whatever
        // the count (runFuzzSmoke's own cap).
        const SmokeResult r = runFuzzSmoke(designFuzzOne, designSeeds(), QStringLiteral("corpus-designs"), 20261208,
                                           2000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= int(designSeeds().size()));
    }
};

QTEST_MAIN(TestDesignFuzzSmoke)
#include "tst_designfuzzsmoke.moc"
