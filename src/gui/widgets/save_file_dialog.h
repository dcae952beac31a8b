#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace mirute {

// What a "…保存…" menu entry writes: the dialog's title and object name, and the file type.
struct SavedFileKind {
    QString title;      // "画像保存"
    QString dialogName; // the dialog's object name, by which tests find it
    QString filter;     // "PNG (*.png)"
    QString suffix;     // "png"
};

// The file name proposed for what is saved: its title (the screen and what it shows), the date of the
// program's clock and the suffix, "全グラフ_日別推移（回数）_2026-12-09.png"; characters a file name
// cannot hold are left out.
QString proposedFileName(const QString &title, const QString &suffix);

// Asks where to save, proposing proposedFileName() in the folder chosen last in this run (the home folder
// at first), then writes there with `save`, which returns an error text or "". A failure is told to the user.
void saveWithDialog(QWidget *parent, const SavedFileKind &kind, const QString &title,
                    const std::function<QString(const QString &path)> &save);

} // namespace mirute
