#pragma once

#include "core/base/text_file.h"

#include <QString>

namespace mirute {

struct MemoRead {
    QString text;  // lines joined by "\n", without a break after the last one
    QString error; // the file could not be read whole: said to the user; the memo shows what could be read
};

// "メモ.TXT" as the memo box shows it. A missing or empty file is an empty memo.
MemoRead readMemoFile(const QString &dir);

// Saving the memo: its lines, each ended by CR LF, so an empty memo is a single CR LF. Line breaks of
// the box ("\n", "\r\n" or "\r") all become CR LF. A character Shift_JIS cannot hold leaves the file as it was.
// The memo file is copied to the backup folder before a change replaces it; the same memo saved again
// writes nothing.
WriteResult saveMemo(const QString &dir, const QString &text, const QString &backupStamp);

// The memo's text as the lines written to the file.
QStringList memoLines(const QString &text);

} // namespace mirute
