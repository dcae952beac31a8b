#include "core/base/file_errors.h"

#include "core/base/user_text.h"

#include <QDir>
#include <QStringList>

#include <cerrno>

namespace mirute {
namespace {

enum class Kind { Space, Permission, ReadOnly, NotFile, TooLarge, Busy, Other };

Kind kindOf(int error) {
    switch (error) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
    case kShortWrite: return Kind::Space;
    case EACCES:
    case EPERM: return Kind::Permission;
    case EROFS: return Kind::ReadOnly;
    case EISDIR:
    case kNotRegularFile: return Kind::NotFile;
    case kFileTooLarge: return Kind::TooLarge;
    case EBUSY:
    case ETXTBSY:
    case EMFILE:
    case ENFILE: return Kind::Busy;
    default: return Kind::Other;
    }
}

QString advice(int error, bool writing) {
    switch (kindOf(error)) {
    case Kind::Space: return QStringLiteral("不要なファイルを削除して空きを作ってから、もう一度試してください。");
    case Kind::Permission: return QStringLiteral("ファイルとフォルダの権限を確かめてから、もう一度試してください。");
    case Kind::ReadOnly: return QStringLiteral("書き込みできる場所に置いてから、もう一度試してください。");
    case Kind::NotFile:
        return QStringLiteral("その名前のフォルダや特殊なファイルを別の場所へ移してから、もう一度試してください。");
    case Kind::TooLarge: return QStringLiteral("ミルテ５のファイルか確かめ、違うものなら別の場所へ移してください。");
    case Kind::Busy: return QStringLiteral("ほかのプログラムを閉じてから、もう一度試してください。");
    case Kind::Other: break;
    }
    return writing ? QStringLiteral("ディスクの状態を確かめてから、もう一度試してください。")
                   : QStringLiteral("ファイルとディスクの状態を確かめてから、もう一度試してください。");
}

QString shownPath(const QString &path) {
    return shownUserText(QDir::toNativeSeparators(path));
}

} // namespace

QString fileErrorReason(int error) {
    switch (error) {
    case ENOSPC:
    case EFBIG:
    case kShortWrite: return QStringLiteral("ディスクの空き容量が足りません");
    case EDQUOT: return QStringLiteral("ディスクの使用量の上限に達しています");
    case EACCES:
    case EPERM: return QStringLiteral("アクセスする権限がありません");
    case EROFS: return QStringLiteral("読み取り専用の場所です");
    case EISDIR: return QStringLiteral("同じ名前のフォルダがあります");
    case kNotRegularFile: return QStringLiteral("通常のファイルではありません（フォルダ、名前付きパイプ、装置など）");
    case kFileTooLarge:
        return QStringLiteral("大きすぎます（%1 MB を超えています）").arg(kMaxReadBytes / (1024 * 1024));
    case ENOENT: return QStringLiteral("ファイルまたはフォルダがありません");
    case ENOTDIR: return QStringLiteral("フォルダの場所にファイルがあります");
    case EEXIST: return QStringLiteral("同じ名前のファイルがすでにあります");
    case ENAMETOOLONG: return QStringLiteral("ファイル名が長すぎます");
    case ELOOP: return QStringLiteral("シンボリックリンクが循環しています");
    case EIO: return QStringLiteral("ディスクの読み書きに失敗しました");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("ファイルが使用中です");
    case EMFILE:
    case ENFILE: return QStringLiteral("開いているファイルが多すぎます");
    case ENOMEM: return QStringLiteral("メモリが足りません");
    case 0: return QStringLiteral("原因のわからないエラーです");
    default: return QStringLiteral("システムのエラー（番号 %1）です").arg(error);
    }
}

QString readFailureText(const QString &path, int error) {
    return QStringLiteral("「%1」を読めませんでした（%2）。\r\n%3")
        .arg(shownPath(path), fileErrorReason(error), advice(error, false));
}

QString writeFailureText(const QString &path, int error) {
    return QStringLiteral("「%1」に保存できませんでした（%2）。ファイルは元のままです。\r\n%3")
        .arg(shownPath(path), fileErrorReason(error), advice(error, true));
}

QString lineNumbersText(const QList<int> &lines) {
    constexpr qsizetype kListed = 20;
    QStringList numbers;
    for (qsizetype i = 0; i < lines.size() && i < kListed; ++i)
        numbers.append(QString::number(lines[i]));
    QString text = numbers.join(QStringLiteral(", ")) + QStringLiteral(" 行目");
    if (lines.size() > kListed)
        text += QStringLiteral("ほか %1 行").arg(lines.size() - kListed);
    return text;
}

} // namespace mirute
