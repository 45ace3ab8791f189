#include "AgendaCommand.h"

#include "Agenda.h"
#include "MessageFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace kelvaro {

int runAgenda(const QStringList& arguments)
{
    const qsizetype flag = arguments.indexOf(QStringLiteral("--agenda"));
    QString path = flag + 1 < arguments.size() ? arguments.at(flag + 1) : QString();
    if (path.isEmpty())
        path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Kelvaro.rmf"));

    SharedState state;
    state.MessageFile = QFileInfo(path).absoluteFilePath();
    SystemClock clock;
    DateLocale locale;
    ConsoleUserInterface ui;
    StoreContext ctx{state, clock, locale, ui};

    if (!QFileInfo(path).isFile()) {
        std::fprintf(stderr, "Kelvaro: message file \"%s\" not found\n", qPrintable(path));
        return 1;
    }
    const LoadOutcome outcome = ReadMessageFile(ctx, ReadMode::ReadOnly);
    if (outcome == LoadOutcome::Missing || outcome == LoadOutcome::Unreadable)
        return 1;
    for (const QString& line : agendaLines(ctx))
        std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
    return outcome == LoadOutcome::Loaded ? 0 : 1;
}

} // namespace kelvaro
