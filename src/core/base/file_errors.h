#pragma once

#include <QList>
#include <QString>

namespace mirute {

// Causes the system has no errno for.
inline constexpr int kNotRegularFile = -1; // a folder, a named pipe, a device
inline constexpr int kFileTooLarge = -2;   // beyond kMaxReadBytes
inline constexpr int kShortWrite = -3;     // fewer bytes reached the file than were written

// No data file of this program comes near this size (the largest log the lists can number is under
// 3 MB): anything bigger is not one of its files, and reading it would only exhaust the memory.
inline constexpr qint64 kMaxReadBytes = qint64(512) * 1024 * 1024;

// Why a file could not be read or written, in Japanese: ENOSPC and EFBIG "ディスクの空き容量が足りません",
// EACCES "アクセスする権限がありません", EROFS "読み取り専用の場所です", and so on. Never the system's English.
QString fileErrorReason(int error);

// Whole messages naming the file (its full path) and the cause, and saying what the user can do.
QString readFailureText(const QString &path, int error);
QString writeFailureText(const QString &path, int error);

// "3, 6, 9 行目", or for many lines "1, 2, …, 20 行目ほか 39 行": at most 20 numbers are listed.
QString lineNumbersText(const QList<int> &lines);

} // namespace mirute
