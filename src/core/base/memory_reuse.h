#pragma once

#include <QObject>
#include <QTimer>

namespace mirute {

// Every panel reads the whole log afresh and fills lists of tens of thousands of rows, then gives the rows
// back when it is put away. The C library would return those megabytes to the system at once and fault
// them in again, page by page, at the next opening; asked once at start-up, it keeps them for reuse.
// Does nothing where the C library has no such setting.
void keepFreedMemoryForReuse();

// The memory a panel needs to open a log (its read and its lists, about eight times the log's bytes),
// faulted in a slice at a time while the event loop runs just after start-up, then handed back to the heap
// for reuse: the first panel opened finds it ready instead of faulting it in page by page while the user
// waits. Does nothing unless freed memory is kept.
class MemoryPreparer : public QObject {
public:
    explicit MemoryPreparer(QObject *parent = nullptr);
    ~MemoryPreparer() override;

    void start(qint64 logBytes);
    // Hands back at once what is held, prepared or not: a panel is about to open.
    void finish();
    bool isPreparing() const { return m_block != nullptr; }

private:
    void prepareNextSlice();

    char *m_block = nullptr;
    qint64 m_size = 0;
    qint64 m_prepared = 0;
    QTimer m_timer;
};

} // namespace mirute
