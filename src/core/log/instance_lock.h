#pragma once

#include "core/base/data_files.h"

#include <QLockFile>
#include <QString>

namespace mirute {

// One running program per working folder: two would interleave their writes to the same files. The lock
// file holds the owner's process id, program name and host. Only a lock of a living Mirute process on this
// host keeps another from starting; a lock left behind (its process gone, its id now another program's,
// the file empty or garbled, an empty folder of that name) is cleared.
class InstanceLock {
public:
    enum Result {
        Locked,      // this program owns the folder now
        HeldByOther, // a living Mirute process owns it
        NotWritable, // the folder cannot be written (read-only, no permission)
        WriteFailed, // the lock could not be written (a full disk and the like)
    };

    explicit InstanceLock(const QString &dir);
    // Takes the lock, waiting up to timeoutMs for another owner to let go.
    Result tryLock(int timeoutMs = 100);
    bool isLocked() const { return m_lock.isLocked(); }
    void unlock() { m_lock.unlock(); }
    QString path() const { return m_path; }

    // The message for a start refused with `result`, naming the folder.
    static QString refusal(Result result, const QString &dir);

private:
    bool clearIfStale();
    bool ownerIsLiveMirute();

    QString m_path;
    QLockFile m_lock;
};

// Whether a process of this host with this id is running this program: its executable has our program's
// file name. Our own id counts as such (a second lock in this process).
bool isMiruteProcess(qint64 pid);

} // namespace mirute
