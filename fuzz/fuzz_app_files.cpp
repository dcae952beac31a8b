// The name file and the main settings readers on any file: the help tour flag is 0 or 1 (on when the file
// is damaged), and a name saved by the program reads back as saved.
#include "core/base/sjis.h"
#include "core/base/write_list.h"
#include "core/log/app_state.h"
#include "fuzz_check.h"

#include <cstdint>

using namespace mirute;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    TextLines lines;
    lines.exists = true;
    splitDecodedLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &lines);

    const FlagRead flag = parseHelpTourFlag(lines);
    FUZZ_CHECK(flag.flag == 0 || flag.flag == 1);
    FUZZ_CHECK(flag.error.isEmpty() || flag.flag == 1);

    const NameRead name = parseName(lines);
    FUZZ_CHECK(name.error.isEmpty() || name.name.isEmpty());
    FUZZ_CHECK(!name.name.contains(u'\n'));

    // What saveName() writes for this name.
    const QString saved = WriteListLine().text(QStringLiteral("氏名")).text(name.name).line();
    QByteArray encoded;
    FUZZ_CHECK(sjis::encode(saved + QStringLiteral("\r\n"), &encoded));
    TextLines again;
    again.exists = true;
    splitDecodedLines(encoded, &again);
    const NameRead back = parseName(again);
    FUZZ_CHECK(back.error.isEmpty());
    FUZZ_CHECK(back.name == storableText(name.name));
    return 0;
}
