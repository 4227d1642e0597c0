#include "FuzzSmoke.h"
#include "RecordSeeds.h"
#include "NameListFuzzEntry.h"

class TestNameListFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        const SmokeResult r = runFuzzSmoke(nameListFuzzOne, recordseeds::nameListSeeds(), QStringLiteral("corpus-lists"), 20261208, 20000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 1000);
    }
};

QTEST_GUILESS_MAIN(TestNameListFuzzSmoke)
#include "tst_namelistfuzzsmoke.moc"
