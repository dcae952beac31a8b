#include "core/log/new_start.h"

#include "core/log/app_state.h"
#include "core/log/backups.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"

namespace mirute {
namespace {
QString nothingErased(const QString &why) {
    return why + QStringLiteral("\r\nデータは削除していません。");
}
} // namespace

QStringList newStartFiles() {
    QStringList files{kPlayLogFile};
    for (const QString &game : gameNames())
        files.append(gameHistoryFile(game));
    for (const QString &game : gameNames())
        if (keepsAnswers(gameNoOf(game)))
            files.append(gameAnswersFile(game));
    return files;
}

WriteResult newStart(const QString &dir, const QString &userName, const QString &backupStamp) {
    // A name that cannot be stored is found before anything is erased.
    QString nameError;
    encodeLines({userName}, &nameError);
    if (!nameError.isEmpty())
        return {nothingErased(nameError)};
    // The log and the histories are copied as one set, which the restore brings back together.
    const QStringList files = newStartFiles();
    BackupSet copies(dir, BackupAction::NewStart, backupStamp);
    for (const QString &file : files)
        if (WriteResult b = copies.add(file); !b.ok())
            return {nothingErased(b.error)};
    if (WriteResult b = copies.close(); !b.ok())
        return {nothingErased(b.error)};
    if (WriteResult w = rewriteBytes(dir, kPlayLogFile, {}); !w.ok())
        return {nothingErased(w.error)};
    QStringList errors;
    if (WriteResult w = saveName(dir, userName); !w.ok())
        errors.append(w.error);
    for (const QString &file : files.mid(1))
        if (WriteResult w = rewriteBytes(dir, file, {}); !w.ok())
            errors.append(w.error);
    if (!errors.isEmpty())
        return {errors.join(QStringLiteral("\r\n"))};
    return {};
}

} // namespace mirute
