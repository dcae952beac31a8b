#include "core/export/export_tool.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// The words of the command line. File names are Unicode to Qt, and a folder whose name's bytes are not
// (an old Shift_JIS or EUC name) has no Unicode form that finds it again: for such a --dir the tool goes
// into the folder by its bytes and reads it as ".".
QStringList commandLine(int argc, char *argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        const QByteArray word(argv[i]);
        const bool dirValue = i > 1 && std::strcmp(argv[i - 1], "--dir") == 0;
        if (dirValue && QFile::encodeName(QFile::decodeName(word)) != word && ::chdir(argv[i]) == 0)
            args << QStringLiteral(".");
        else
            args << QFile::decodeName(word);
    }
    return args;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const int status = mirute::runExport(commandLine(argc, argv), out, err);
    out.flush();
    err.flush();
    return status;
}
