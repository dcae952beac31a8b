#include "core/games/common/game_settings.h"

#include "core/base/number_format.h"
#include "core/base/write_list.h"

#include <cmath>

namespace mirute {

int GameSettings::extraInt(int i) const {
    return int(parseInteger(extras.value(i)).value_or(0));
}

GameSettings defaultSettings(const GameDefinition &def) {
    GameSettings s;
    // 10 answers, or fewer where the game allows fewer (座標 has at most 9 rows).
    s.countLimit = qMin(s.countLimit, def.countMax);
    for (const ExtraField &f : def.extraFields)
        s.extras.append(f.defaultValue);
    return s;
}

namespace {

QStringList allowedValues(const ExtraField &f) {
    return f.allowed.isEmpty() ? QStringList{QStringLiteral("0"), QStringLiteral("1")} : f.allowed;
}

} // namespace

SettingsReadResult parseGameSettings(const TextLines &lines, const GameDefinition &def) {
    SettingsReadResult r;
    r.settings = defaultSettings(def);
    if (!lines.exists) {
        r.rewriteNeeded = true;
        return r;
    }
    // Each field is named as the user sees it: by the caption of its control in the game window.
    QStringList problems;
    const QString firstLine = lines.lines.isEmpty() ? QString() : lines.lines.first();
    if (!lines.error.isEmpty() || lines.badLines.contains(1) || firstLine.trimmed().isEmpty()) {
        r.rewriteNeeded = true;
        r.notice = QStringLiteral("設定を読めなかったため、初期値を使います。");
        if (!lines.error.isEmpty())
            r.notice += QStringLiteral("\r\n") + lines.error;
        return r;
    }
    const QList<ListItem> items = splitWriteList(firstLine);
    GameSettings &s = r.settings;
    auto field = [&](int i) { return i < items.size() ? items[i].text : QString(); };

    if (auto v = parseInteger(field(0)); v && *v >= 1 && *v <= def.countMax)
        s.countLimit = int(*v);
    else if (v)
        s.countLimit = int(qBound<qint64>(1, *v, qint64(def.countMax))), problems << def.countCaption;
    else
        problems << def.countCaption;

    if (auto v = parseNumber(field(1))) {
        const double snapped = qBound(10.0, std::round(*v / 10.0) * 10.0, 180.0);
        if (snapped != *v)
            problems << QStringLiteral("秒数");
        s.timeLimit = float(snapped);
    } else {
        problems << QStringLiteral("秒数");
    }

    const QString mode = field(2);
    if (mode == QStringLiteral("秒数"))
        s.mode = GameMode::TimeLimit;
    else if (mode == def.countCaption)
        s.mode = GameMode::AnswerCount;
    else
        problems << QStringLiteral("モード");

    if (auto v = parseInteger(field(3)); v && (*v == 0 || *v == 1))
        s.autoSave = *v == 1;
    else
        problems << QStringLiteral("手動保存モード");

    for (int i = 0; i < def.extraFields.size(); ++i) {
        const ExtraField &f = def.extraFields[i];
        const QString text = field(4 + i);
        const QStringList allowed = allowedValues(f);
        if (f.isText ? allowed.contains(text)
                     : (parseInteger(text) && allowed.contains(QString::number(*parseInteger(text)))))
            s.extras[i] = f.isText ? text : QString::number(*parseInteger(text));
        else
            problems << f.caption;
    }
    // What the rewrite would drop is named, so that the damaged file is kept aside first.
    if (items.size() > 4 + def.extraFields.size())
        problems << QStringLiteral("余分な項目");
    else if (items.size() < 4 + def.extraFields.size())
        r.rewriteNeeded = true;
    // Line 1 is readable here, so any unreadable line is a later one.
    bool moreLines = !lines.badLines.isEmpty();
    for (qsizetype i = 1; i < lines.lines.size() && !moreLines; ++i)
        moreLines = !lines.lines[i].trimmed().isEmpty();
    if (moreLines)
        problems << QStringLiteral("2 行目以降");
    if (!problems.isEmpty()) {
        r.rewriteNeeded = true;
        r.notice = QStringLiteral("設定の一部（%1）が正しくなかったため、初期値または範囲内の値に直しました。")
                       .arg(problems.join(QStringLiteral("、")));
    }
    return r;
}

SettingsReadResult readGameSettings(const QString &dir, const GameDefinition &def) {
    return parseGameSettings(readTextLines(dir, def.settingsFile()), def);
}

QString settingsLine(const GameSettings &s, const GameDefinition &def) {
    WriteListLine line;
    const QString mode = s.mode == GameMode::TimeLimit ? QStringLiteral("秒数") : def.countCaption;
    line.integer(s.countLimit).single(s.timeLimit).text(mode).integer(s.autoSave ? 1 : 0);
    for (int i = 0; i < def.extraFields.size(); ++i) {
        if (def.extraFields[i].isText)
            line.text(s.extras.value(i));
        else
            line.integer(s.extraInt(i));
    }
    return line.line();
}

WriteResult writeGameSettings(const QString &dir, const GameDefinition &def, const GameSettings &s) {
    return rewriteLines(dir, def.settingsFile(), {settingsLine(s, def)});
}

} // namespace mirute
