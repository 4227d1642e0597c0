#include "FuzzSmoke.h"
#include "RecordSeeds.h"
#include "HistoryFuzzEntry.h"

class TestHistoryFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        const SmokeResult r = runFuzzSmoke(historyFuzzOne, recordseeds::historySeeds(),
                                           QStringLiteral("corpus-history"), 20261208, 20000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 1000);
    }
};

QTEST_GUILESS_MAIN(TestHistoryFuzzSmoke)
#include "tst_historyfuzzsmoke.moc"
