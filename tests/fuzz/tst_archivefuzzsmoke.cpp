#include "ArchiveFuzzEntry.h"
#include "FuzzSmoke.h"

class TestArchiveFuzzSmoke : public QObject {
    Q_OBJECT
private slots:
    void seedsAndMutationsSurvive()
    {
        const SmokeResult r = runFuzzSmoke(archiveFuzzOne, archiveSeeds(), QStringLiteral("corpus-archive"), 20261209,
                                           3000);
        qInfo("%d inputs", r.runs);
        VERIFY_FUZZ_SMOKE(r);
        QVERIFY(r.runs >= 200);
    }
};

QTEST_GUILESS_MAIN(TestArchiveFuzzSmoke)
#include "tst_archivefuzzsmoke.moc"
