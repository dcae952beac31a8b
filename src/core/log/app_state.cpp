#include "core/log/app_state.h"

#include "core/base/file_errors.h"
#include "core/base/number_format.h"
#include "core/base/user_text.h"
#include "core/base/write_list.h"
#include "core/log/play_log.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace mirute {

AppState &appState() {
    static AppState state;
    return state;
}

QString windowCaption(const QString &userName) {
    if (userName.isEmpty())
        return QStringLiteral(" ミルテ５");
    return u' ' + shownUserText(userName) + QStringLiteral(" の ミルテ５");
}

namespace {

const QString kKeptAsItIs = QStringLiteral("ファイルはそのまま残し、初期値で起動します。");

QString damaged(const QString &file, const QString &what) {
    return damagedSettingsText(file, what, kKeptAsItIs);
}

QString firstLine(const TextLines &t, const QString &file, QString *error) {
    return firstSettingsLine(t, file, kKeptAsItIs, error);
}

} // namespace

QString damagedSettingsText(const QString &file, const QString &what, const QString &outcome) {
    return QStringLiteral("「%1」を読めませんでした（%2）。\r\n").arg(file, what) + outcome;
}

QString firstSettingsLine(const TextLines &t, const QString &file, const QString &outcome, QString *error) {
    if (!t.error.isEmpty()) {
        *error = t.error + QStringLiteral("\r\n") + outcome;
        return {};
    }
    if (t.badLines.contains(1)) {
        const QString foreign = foreignEncodingText(t);
        *error = damagedSettingsText(file, foreign.isEmpty() ? QStringLiteral("1 行目: ") + badLineReason(t) : foreign,
                                     outcome);
        return {};
    }
    return t.lines.value(0);
}

NameRead readName(const QString &dir) {
    return parseName(readTextLines(dir, kNameFile));
}

NameRead parseName(const TextLines &t) {
    NameRead r;
    if (!t.exists)
        return r;
    const QString line = firstLine(t, kNameFile, &r.error);
    if (!r.error.isEmpty() || line.isEmpty())
        return r;
    const QList<ListItem> items = splitWriteList(line);
    if (items.size() < 2) {
        r.error = damaged(kNameFile, QStringLiteral("名前の項目がありません"));
        return r;
    }
    r.name = items[1].text;
    return r;
}

WriteResult saveName(const QString &dir, const QString &name) {
    return rewriteLines(dir, kNameFile, {WriteListLine().text(QStringLiteral("氏名")).text(name).line()});
}

FlagRead readHelpTourFlag(const QString &dir) {
    return parseHelpTourFlag(readTextLines(dir, kSettingsFile));
}

FlagRead parseHelpTourFlag(const TextLines &t) {
    FlagRead r;
    if (!t.exists)
        return r;
    const QString line = firstLine(t, kSettingsFile, &r.error);
    if (!r.error.isEmpty())
        return r;
    const QList<ListItem> items = splitWriteList(line);
    const auto flag = items.size() >= 2 ? parseInteger(items[1].text) : std::nullopt;
    if (!flag || (*flag != 0 && *flag != 1)) {
        r.error = damaged(kSettingsFile, QStringLiteral("ヘルプツアーの値が 0 か 1 ではありません"));
        return r;
    }
    r.flag = int(*flag);
    return r;
}

WriteResult writeHelpTourFlag(const QString &dir, int flag) {
    return rewriteLines(dir, kSettingsFile,
                        {WriteListLine().text(QStringLiteral("ヘルプツアー")).integer(flag).line()});
}

QString dataFolderAdvice() {
    // The launcher puts the folder in the home folder: without one it names a folder no one can make.
    if (qEnvironmentVariableIsEmpty("HOME"))
        return QStringLiteral("環境変数 HOME（ホームフォルダ）が設定されていません。"
                              "ログインし直すか、HOME を設定してから起動してください。");
    return QStringLiteral("フォルダの権限とディスクの空きを確かめてから起動してください。"
                          "別の場所を使うときは、その場所を環境変数 XDG_DATA_HOME に指定します"
                          "（ミルテ５はその中の mirute フォルダを使います）。");
}

QString makeDataFolder(const QString &dir) {
    const QFileInfo folder(dir);
    if (folder.isDir())
        return {};
    errno = 0;
    int error = folder.exists() ? ENOTDIR : 0;
    if (error == 0 && !QDir().mkpath(dir))
        error = errno != 0 ? errno : EACCES;
    if (error == 0)
        return {};
    return QStringLiteral("データのフォルダ「%1」を作れないため、ミルテ５を起動できません（%2）。\r\n")
               .arg(shownUserText(QDir::toNativeSeparators(dir)), fileErrorReason(error)) +
           dataFolderAdvice();
}

QString ensureStartupFiles(const QString &dir) {
    auto missing = [&](const QString &name) { return !QFileInfo::exists(resolveFile(dir, name)); };
    QStringList errors;
    auto check = [&](const WriteResult &w) {
        if (!w.ok())
            errors << w.error;
    };
    if (missing(kNameFile))
        check(saveName(dir, QString()));
    if (missing(kPlayLogFile))
        check(rewriteBytes(dir, kPlayLogFile, {}));
    if (missing(kMemoFile))
        check(rewriteBytes(dir, kMemoFile, {}));
    if (missing(kSettingsFile))
        check(writeHelpTourFlag(dir, 1));
    return errors.join(QStringLiteral("\r\n"));
}

} // namespace mirute
