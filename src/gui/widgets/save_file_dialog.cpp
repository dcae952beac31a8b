#include "gui/widgets/save_file_dialog.h"

#include "core/base/clock.h"
#include "gui/widgets/message_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace mirute {

namespace {

// The folder of the last save of this run: the next picture or list goes beside it.
QString &lastFolder() {
    static QString folder;
    return folder;
}

} // namespace

QString proposedFileName(const QString &title, const QString &suffix) {
    QString name;
    for (const QChar ch : title)
        if (!ch.isSpace() && !QStringLiteral("/\\:*?\"<>|").contains(ch))
            name.append(ch);
    return name + u'_' + appClock().now().date().toString(QStringLiteral("yyyy-MM-dd")) + u'.' + suffix;
}

void saveWithDialog(QWidget *parent, const SavedFileKind &kind, const QString &title,
                    const std::function<QString(const QString &path)> &save) {
    QFileDialog dialog(parent, kind.title);
    dialog.setObjectName(kind.dialogName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kind.filter);
    dialog.setDefaultSuffix(kind.suffix);
    dialog.setDirectory(lastFolder().isEmpty() ? QDir::homePath() : lastFolder());
    dialog.selectFile(proposedFileName(title, kind.suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder() = QFileInfo(path).absolutePath();
    const QString error = save(path);
    if (!error.isEmpty())
        MessageDialog::warning(parent, kind.title, QStringLiteral("保存できませんでした。\n") + error);
}

} // namespace mirute
