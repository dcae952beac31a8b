// Helper of the crash-safety test: rewrites the play log of the folder it is given, alternating versions 1
// and 2, until it is killed. Prints "ready" before its first rewrite and "done N" after each one.
//   rewrite_child FOLDER restore ID   restores the set of backup copies ID once instead ("ready", "done")
#include "crash_log.h"

#include "core/base/text_file.h"
#include "core/log/play_log.h"

#include <QString>
#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: rewrite_child FOLDER\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (argc == 4) {
        std::printf("ready\n");
        std::fflush(stdout);
        const mirute::WriteResult r =
            mirute::restoreBackupSet(dir, QString::fromLocal8Bit(argv[3]), QStringLiteral("20261206_143000"));
        std::printf("done %s\n", r.error.toLocal8Bit().constData());
        return r.ok() ? 0 : 1;
    }
    const QStringList versions[2] = {mirute::test::crashLogVersion(1), mirute::test::crashLogVersion(2)};
    std::printf("ready\n");
    std::fflush(stdout);
    for (long n = 1;; ++n) {
        const mirute::WriteResult r = mirute::rewriteLines(dir, mirute::kPlayLogFile, versions[n % 2]);
        if (!r.ok()) {
            std::fprintf(stderr, "%s\n", r.error.toLocal8Bit().constData());
            return 1;
        }
        std::printf("done %ld\n", n);
        std::fflush(stdout);
    }
}
