#pragma once

#include "core/log/play_log.h"

#include <QStringList>

namespace mirute::test {

// The most records the list panels can number; the log the crash-safety test rewrites under a kill.
constexpr int kCrashLogRecords = 32766;

// Version v of that log: every record marked with v, so that a mix of two versions shows.
inline QStringList crashLogVersion(int v) {
    QStringList lines;
    lines.reserve(kCrashLogRecords);
    for (int i = 0; i < kCrashLogRecords; ++i) {
        PlayRecord r;
        r.date = QStringLiteral("2026/%1/%2").arg(1 + i % 12, 2, 10, QChar(u'0')).arg(1 + i % 28, 2, 10, QChar(u'0'));
        r.time = QStringLiteral("10:00:00");
        r.game = QStringLiteral("順番クリック");
        r.seconds = float(10 * v + i % 170);
        r.diary = QStringLiteral("版 %1 の %2 件目").arg(v).arg(i + 1);
        lines.append(rewrittenPlayLine(r));
    }
    return lines;
}

} // namespace mirute::test
