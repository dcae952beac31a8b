#pragma once

#include "core/base/data_files.h"
#include "core/base/text_file.h"

#include <QString>

namespace mirute {

// State that lives for the whole run and survives the main window being rebuilt after a game.
struct AppState {
    QString userName;
    int helpTourFlag = 1;
    QString helpTourText;
    bool firstStartDone = false;
    QString goalProblemTold; // the last message about a damaged "目標.txt", told once until it changes
};
AppState &appState();

// The window caption: " 山田 の ミルテ５", or " ミルテ５" without a name.
QString windowCaption(const QString &userName);

// The message for a settings file that cannot be used: its name, what is wrong and what the program does instead.
QString damagedSettingsText(const QString &file, const QString &what, const QString &outcome);
// The first line of a one-line settings file; "" with *error set (ending in `outcome`) when it cannot be read.
QString firstSettingsLine(const TextLines &lines, const QString &file, const QString &outcome, QString *error);

struct NameRead {
    QString name;
    QString error; // damaged file: shown to the user; the file is left as it is
};
// The user name: the first line of "プライベート.txt", label "氏名" and the name.
NameRead readName(const QString &dir);
NameRead parseName(const TextLines &lines);
WriteResult saveName(const QString &dir, const QString &name);

struct FlagRead {
    int flag = 1;
    QString error;
};
// The help-tour flag of "設定.txt".
FlagRead readHelpTourFlag(const QString &dir);
FlagRead parseHelpTourFlag(const TextLines &lines);
WriteResult writeHelpTourFlag(const QString &dir, int flag);

// Makes the data folder when it is missing (a fresh home has none). Returns "" when the folder is there, or
// a message naming it, saying why it cannot be made and what to do.
QString makeDataFolder(const QString &dir);
// What to do about a data folder that cannot be made or written, for the messages that name it.
QString dataFolderAdvice();

// Creates the files the start-up expects when they are missing: the name file with an empty name, an empty
// play log, an empty memo and the main settings with the help tour on. Existing files are never touched.
QString ensureStartupFiles(const QString &dir);

} // namespace mirute
