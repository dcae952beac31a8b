// A game's settings reader on any file: the settings are always within their ranges, and the line written
// from them reads back unchanged without any repair.
#include "core/base/sjis.h"
#include "core/base/write_list.h"
#include "core/games/common/game_settings.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>

using namespace mirute;

namespace {

GameDefinition definition() {
    GameDefinition def;
    def.name = QStringLiteral("試験");
    def.countCaption = QStringLiteral("行数");
    def.countMax = 9;
    def.extraFields = {
        {QStringLiteral("inOrder"), false, QStringLiteral("0"), {}},
        {QStringLiteral("colour"), true, QStringLiteral("赤"), {QStringLiteral("赤"), QStringLiteral("青")}},
        {QStringLiteral("cells"),
         false,
         QStringLiteral("40"),
         {QStringLiteral("20"), QStringLiteral("40"), QStringLiteral("60")}}};
    return def;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const GameDefinition def = definition();
    TextLines lines;
    lines.exists = true;
    splitDecodedLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &lines);
    const SettingsReadResult r = parseGameSettings(lines, def);
    const GameSettings &s = r.settings;
    FUZZ_CHECK(s.countLimit >= 1 && s.countLimit <= def.countMax);
    FUZZ_CHECK(s.timeLimit >= 10 && s.timeLimit <= 180 && std::fmod(s.timeLimit, 10.0f) == 0);
    FUZZ_CHECK(s.extras.size() == def.extraFields.size());
    FUZZ_CHECK(s.extraInt(0) == 0 || s.extraInt(0) == 1);
    FUZZ_CHECK(def.extraFields[1].allowed.contains(s.extraText(1)));
    FUZZ_CHECK(def.extraFields[2].allowed.contains(s.extraText(2)));
    // Whatever was told to the user also asks for the rewrite.
    FUZZ_CHECK(r.notice.isEmpty() || r.rewriteNeeded);

    // The mode is written as its option's caption, automatic saving as 1 or 0.
    const QString line = settingsLine(s, def);
    const QList<ListItem> fields = splitWriteList(line);
    FUZZ_CHECK(fields.value(2).text == QStringLiteral("秒数") || fields.value(2).text == def.countCaption);
    FUZZ_CHECK(fields.value(3).text == QStringLiteral("0") || fields.value(3).text == QStringLiteral("1"));
    QByteArray encoded;
    FUZZ_CHECK(sjis::encode(line + QStringLiteral("\r\n"), &encoded));
    TextLines again;
    again.exists = true;
    splitDecodedLines(encoded, &again);
    const SettingsReadResult back = parseGameSettings(again, def);
    FUZZ_CHECK(!back.rewriteNeeded && back.notice.isEmpty());
    FUZZ_CHECK(settingsLine(back.settings, def) == line);
    return 0;
}
