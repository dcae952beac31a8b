// mirute-sample: writes a working folder with a play log of many years' use, for measuring and trying the
// program on a full log.
#include "sample_log/sample_log.h"

#include "core/base/day_time.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace mirute;

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mirute-sample"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a sample working folder with a full play log."));
    parser.addHelpOption();
    const QCommandLineOption dirOpt(QStringLiteral("dir"), QStringLiteral("Folder to write (created)."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption recordsOpt(QStringLiteral("records"), QStringLiteral("Play records (default 32766)."),
                                        QStringLiteral("N"), QString::number(sample::kMaxLogRecords));
    const QCommandLineOption seedOpt(QStringLiteral("seed"), QStringLiteral("Random seed (default 1)."),
                                     QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption historyOpt(
        QStringLiteral("history-plays"),
        QStringLiteral("History lines per game (default: the game's plays in the log)."), QStringLiteral("N"),
        QStringLiteral("-1"));
    const QCommandLineOption endOpt(QStringLiteral("end"),
                                    QStringLiteral("Date of the last play, yyyy/mm/dd (default today)."),
                                    QStringLiteral("DATE"));
    const QCommandLineOption dataOpt(QStringLiteral("data"),
                                     QStringLiteral("Folder of the default data files to copy (\"\" for none)."),
                                     QStringLiteral("DIR"), QStringLiteral(MIRUTE_DEFAULT_DATA));
    parser.addOptions({dirOpt, recordsOpt, seedOpt, historyOpt, endOpt, dataOpt});
    parser.process(app);

    QTextStream err(stderr);
    auto fail = [&](const QString &text) {
        err << "mirute-sample: " << text << Qt::endl;
        return 2;
    };
    if (!parser.isSet(dirOpt))
        return fail(QStringLiteral("--dir is required"));
    bool ok = false;
    sample::SampleOptions options;
    options.records = parser.value(recordsOpt).toInt(&ok);
    if (!ok || options.records < 0)
        return fail(QStringLiteral("--records must be a whole number, 0 or more"));
    options.seed = parser.value(seedOpt).toUInt(&ok);
    if (!ok)
        return fail(QStringLiteral("--seed must be a whole number"));
    options.historyPlays = parser.value(historyOpt).toInt(&ok);
    if (!ok || options.historyPlays < -1)
        return fail(QStringLiteral("--history-plays must be a whole number, 0 or more"));
    if (parser.isSet(endOpt)) {
        options.lastDay = parseDateText(parser.value(endOpt));
        if (!options.lastDay.isValid())
            return fail(QStringLiteral("--end must be a date yyyy/mm/dd"));
    }
    const sample::SampleData data = sample::generateSample(options);
    const QString dir = QDir(parser.value(dirOpt)).absolutePath();
    if (const QString error = sample::writeSampleFolder(dir, data, parser.value(dataOpt)); !error.isEmpty())
        return fail(error);
    QTextStream out(stdout);
    out << dir << ": " << data.plays.size() << " records";
    if (!data.plays.isEmpty())
        out << " from " << data.plays.first().record.date << " to " << data.plays.last().record.date;
    out << Qt::endl;
    return 0;
}
