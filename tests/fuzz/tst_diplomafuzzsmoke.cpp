#include "FuzzSmoke.h"
#include "RecordSeeds.h"
#include "DiplomaFuzzEntry.h"

class TestDiplomaFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        const SmokeResult r = runFuzzSmoke(diplomaFuzzOne, recordseeds::diplomaSeeds(),
                                           QStringLiteral("corpus-diploma"), 20261208, 20000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 1000);
    }
};

QTEST_GUILESS_MAIN(TestDiplomaFuzzSmoke)
#include "tst_diplomafuzzsmoke.moc"
