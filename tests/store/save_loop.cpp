// Saves a large message file again and again through SaveMessages, so that a test can kill it at
// any moment of a save.
//   save_loop FILE a|b   saves contents a or b once (the bytes the test expects) and ends
//   save_loop FILE loop  alternates b, a, b, ... until killed; says "saving" before the first
//                        save and the contents' letter after each save that has finished
#include "MessageFile.h"
#include "StoreContext.h"

#include <QCoreApplication>
#include <QLocale>
#include <cstdio>
#include <cstring>

using namespace kelvaro;

namespace {

// A full table whose records differ between the two contents in every title and most bodies, so
// that the two files differ all through and in length.
void fill(SharedState& s, char contents)
{
    const QDate first(2026, 1, 1);
    const QString repeats[] = {QStringLiteral("ONCE"), QStringLiteral("YEARLY"),
                               QStringLiteral("MONTHLY"), QStringLiteral("WEEKLY")};
    s.MessageCount = MaxMessages;
    for (int i = 1; i <= MaxMessages; ++i) {
        s.Messages.row(i).fill(QString());
        s.Messages(i, Field::Date) = first.addDays(contents == 'a' ? i : 2 * i);
        s.Messages(i, Field::Title) =
            QStringLiteral("Message %1 of contents %2").arg(i).arg(contents);
        s.Messages(i, Field::Body) =
            QStringLiteral("First line of %1\r\nA second, longer line that gives the body some "
                           "weight: %2\r\nthird")
                .arg(i)
                .arg(QString(contents == 'a' ? 20 : 60, QChar(u'x')));
        s.Messages(i, Field::Repeat) = repeats[i % 4];
        s.Messages(i, Field::AdvanceDays) = qint16(i % 30);
        s.Messages(i, Field::AlarmTime) = QStringLiteral("%1:30").arg(i % 24, 2, 10, QChar(u'0'));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    SharedState a;
    SharedState b;
    fill(a, 'a');
    fill(b, 'b');
    const QString path = QString::fromLocal8Bit(argv[1]);
    a.MessageFile = path;
    b.MessageFile = path;
    SystemClock clock;
    const DateLocale locale(QLocale(QLocale::Dutch, QLocale::Netherlands));
    ConsoleUserInterface ui;
    StoreContext withA{a, clock, locale, ui};
    StoreContext withB{b, clock, locale, ui};

    const char* mode = argv[2];
    if (std::strcmp(mode, "a") == 0)
        return SaveMessages(withA) ? 0 : 1;
    if (std::strcmp(mode, "b") == 0)
        return SaveMessages(withB) ? 0 : 1;
    if (std::strcmp(mode, "loop") != 0)
        return 2;
    std::puts("saving");
    std::fflush(stdout);
    for (;;) {
        for (StoreContext* ctx : {&withB, &withA}) {
            if (!SaveMessages(*ctx))
                return 1;
            std::puts(ctx == &withA ? "a" : "b");
            std::fflush(stdout);
        }
    }
}
