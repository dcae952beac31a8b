// The memory made ready after start-up: prepared a slice at a time while the event loop runs, so that a
// click is answered meanwhile, and handed back at once when a panel opens.
#include "core/base/memory_reuse.h"

#include <QtTest>

using namespace mirute;

class TestMemoryReuse : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { keepFreedMemoryForReuse(); }
    void preparesBetweenEvents();
    void finishHandsBackAtOnce();
    void smallLogNeedsNothing();
};

void TestMemoryReuse::preparesBetweenEvents() {
    MemoryPreparer preparer;
    preparer.start(3 * 1024 * 1024); // the largest log's size: the most it prepares, in several slices
    QVERIFY(preparer.isPreparing());
    int passes = 0;
    while (preparer.isPreparing() && passes < 1000) {
        QCoreApplication::processEvents();
        ++passes;
    }
    QVERIFY(!preparer.isPreparing());
    QVERIFY2(passes > 1, "prepared in one pass of the event loop");
}

void TestMemoryReuse::finishHandsBackAtOnce() {
    MemoryPreparer preparer;
    preparer.start(3 * 1024 * 1024);
    QCoreApplication::processEvents();
    preparer.finish();
    QVERIFY(!preparer.isPreparing());
    QCoreApplication::processEvents(); // no slice left to run on a block handed back
    preparer.start(3 * 1024 * 1024);   // and it can start again
    QVERIFY(preparer.isPreparing());
}

void TestMemoryReuse::smallLogNeedsNothing() {
    MemoryPreparer preparer;
    preparer.start(10 * 1024);
    QVERIFY(!preparer.isPreparing());
    preparer.start(-1);
    QVERIFY(!preparer.isPreparing());
}

QTEST_GUILESS_MAIN(TestMemoryReuse)
#include "tst_memory_reuse.moc"
