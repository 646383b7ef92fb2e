#include "app/command_line.h"

#include "browser/message_preview.h"
#include "platform/app_paths.h"
#include "markup/site_view.h"
#include "markup/tag_grammar.h"
#include "platform/codepage.h"
#include "platform/page_file.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace commandline {

namespace {

const char usage[] =
    "Usage: rivirazare [FILE.mv]\n"
    "       rivirazare --to-line FILE\n"
    "       rivirazare --message-html FILE\n"
    "       rivirazare --page-html FILE\n"
    "       rivirazare --check FILE...\n"
    "\n"
    "Mirvale Rivi Razare, an editor for pages and messages in the Mirvale caret-tag markup.\n"
    "\n"
    "Options:\n"
    "  --to-line FILE       write the page FILE joined into one line, as Convert (F2) gives it\n"
    "  --message-html FILE  write the HTML preview page of the message FILE\n"
    "  --page-html FILE     write the page FILE as the site shows it, as UTF-8 HTML\n"
    "  --check FILE...      print each broken tag as FILE:LINE:COLUMN: message; exit 1 when\n"
    "                       any was found, 0 when none, 2 when a file cannot be read\n"
    "  --languages          list the language files the editor finds, with their folder\n"
    "  -h, --help           show this help\n"
    "\n"
    "Files are read and written in code page 1251. Without options the editor starts.\n";

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeError(const QString &line)
{
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// The page as the site's form takes it: every line break removed, nothing else changed.
QByteArray toLine(const QByteArray &page)
{
    QByteArray line = page;
    line.replace("\r\n", QByteArray());
    return line;
}

// The problems of every file, one line each; 0, 1 or 2 as the usage says.
int check(const QStringList &files)
{
    int status = 0;
    for (const QString &file : files) {
        QByteArray bytes;
        QString error;
        if (!pagefile::read(file, &bytes, &error)) {
            writeError(QStringLiteral("rivirazare: ") + error);
            status = 2;
            continue;
        }
        const QByteArray out = markup::CheckReport(cp1251::decode(bytes), file).toUtf8();
        writeOut(out);
        if (!out.isEmpty() && status == 0)
            status = 1;
    }
    return status;
}

} // namespace

std::optional<int> run(const QStringList &arguments)
{
    const QStringList args = arguments.mid(1);
    if (args.isEmpty())
        return std::nullopt;
    const QString first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        writeOut(usage);
        return 0;
    }
    if (first == QLatin1String("--languages") && args.size() == 1) {
        // The folder is found from the program's own place, which needs the application.
        int argc = 1;
        QByteArray program = arguments.first().toLocal8Bit();
        char *argv[] = {program.data(), nullptr};
        QCoreApplication application(argc, argv);
        const QDir folder(apppaths::languageFolder());
        QByteArray list = QDir::toNativeSeparators(folder.path()).toLocal8Bit() + '\n';
        for (const QString &name : folder.entryList({QStringLiteral("*.lng")}, QDir::Files))
            list += name.toLocal8Bit() + '\n';
        writeOut(list);
        return folder.isEmpty() ? 1 : 0;
    }
    if (first == QLatin1String("--check")) {
        if (args.size() < 2) {
            writeError(QStringLiteral("rivirazare: --check takes one or more FILEs (see --help)"));
            return 2;
        }
        return check(args.mid(1));
    }
    const bool toLineMode = first == QLatin1String("--to-line");
    const bool htmlMode = first == QLatin1String("--message-html");
    const bool pageMode = first == QLatin1String("--page-html");
    if (!toLineMode && !htmlMode && !pageMode) {
        if (first.startsWith(QLatin1Char('-'))) {
            writeError(QStringLiteral("rivirazare: unknown option %1 (see --help)").arg(first));
            return 2;
        }
        return std::nullopt; // a page to open in the editor
    }
    if (args.size() != 2) {
        writeError(QStringLiteral("rivirazare: %1 takes exactly one FILE (see --help)").arg(first));
        return 2;
    }
    QByteArray bytes;
    QString error;
    if (!pagefile::read(args.at(1), &bytes, &error)) {
        writeError(QStringLiteral("rivirazare: ") + error);
        return 1;
    }
    if (toLineMode) {
        writeOut(toLine(bytes));
        return 0;
    }
    if (pageMode) {
        writeOut(markup::PageToSiteHtmlUtf8(cp1251::decode(bytes)));
        return 0;
    }
    // The very bytes the Message tab writes to its preview file, piece by piece.
    messagepreview::writePageBytes(bytes, [](const QByteArray &piece) { writeOut(piece); });
    return 0;
}

} // namespace commandline
