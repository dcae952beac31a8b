#pragma once

#include "core/base/text_file.h"
#include "core/games/common/game_definition.h"

#include <QString>
#include <QStringList>

namespace mirute {

// How a play is limited: "秒数", as many answers as possible in the chosen seconds, or the answer count (the
// game's countCaption), a fixed number of answers as fast as possible.
enum class GameMode { TimeLimit, AnswerCount };

// The one line of a game's settings file: the four common fields, then the game's own.
struct GameSettings {
    int countLimit = 10;
    float timeLimit = 60;
    GameMode mode = GameMode::TimeLimit; // in the file as its option's caption
    bool autoSave = true; // each finished play saved at once; in the file as 1, or 0 for "手動保存モード"
    QStringList extras;   // the game's own fields, as their texts

    // Field i of the game's own (kInOrderField, or a constant of the game's rules) as a number, or as a
    // check box's 1 (ticked) or 0.
    int extraInt(int i) const;
    bool extraFlag(int i) const { return extraInt(i) == 1; }
    QString extraText(int i) const { return extras.value(i); }
};

struct SettingsReadResult {
    GameSettings settings;
    bool rewriteNeeded = false; // missing, damaged or out of range: written back with sound values
    QString notice;             // what was wrong, for the user; empty when the file was fine or missing
};

GameSettings defaultSettings(const GameDefinition &def);
// Reads the settings line; a missing file gives the defaults, a damaged field its default, an out-of-range
// value is brought back into range (the design loops for ever or names controls that do not exist otherwise).
SettingsReadResult readGameSettings(const QString &dir, const GameDefinition &def);
SettingsReadResult parseGameSettings(const TextLines &lines, const GameDefinition &def);
QString settingsLine(const GameSettings &s, const GameDefinition &def);
WriteResult writeGameSettings(const QString &dir, const GameDefinition &def, const GameSettings &s);

} // namespace mirute
