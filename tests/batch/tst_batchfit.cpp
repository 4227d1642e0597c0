#include <QtTest>
class TestBatchFit : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};
QTEST_MAIN(TestBatchFit)
#include "tst_batchfit.moc"
