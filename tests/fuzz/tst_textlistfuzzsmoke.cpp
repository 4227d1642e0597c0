#include "FuzzSmoke.h"
#include "RecordSeeds.h"
#include "TextListFuzzEntry.h"

class TestTextListFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        const SmokeResult r = runFuzzSmoke(textListFuzzOne, recordseeds::nameListSeeds(),
                                           QStringLiteral("corpus-lists"), 20261208, 20000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 1000);
    }
};

QTEST_GUILESS_MAIN(TestTextListFuzzSmoke)
#include "tst_textlistfuzzsmoke.moc"
