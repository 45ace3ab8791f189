// Load, display-list build and save of a full 1000-record message file, in the worst case: the
// records in reverse date order and every repeating record far in the past.
#include "Clock.h"
#include "ListMaintenance.h"
#include "MessageFile.h"
#include "Recurrence.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kelvaro;

namespace {

class QuietUi final : public UserInterface {
public:
    Answer messageBox(const QString&, int, const QString&) override { return Answer::Ok; }
    void showNotice(const QString&) override {}
    void setBusy(bool) override {}
    void updateBoard() override {}
    void closeClockIcon() override {}
    void showFilePicker() override {}
    void getSystemDirs() override {}
    void createStartupShortcut() override {}
    void createDesktopShortcut() override {}
    int audioOutputCount() override { return 0; }
    QSize screenSize() override { return {}; }
};

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 11), QTime(9, 0)); }
};

struct Bench {
    QTemporaryDir dir;
    SharedState state;
    FixedClock clock;
    DateLocale locale{QLocale(QLocale::Dutch, QLocale::Netherlands)};
    QuietUi ui;
    StoreContext ctx{state, clock, locale, ui};

    Bench()
    {
        state.MessageFile = dir.filePath(QStringLiteral("Kelvaro.rmf"));
        fill();
    }

    void fill()
    {
        static const char* repeats[] = {"ONCE", "DAYLY", "WEEKLY", "MONTHLY", "YEARLY"};
        state.Messages.fill(QString());
        state.MessageCount = MaxMessages;
        for (int i = 1; i <= MaxMessages; ++i) {
            // Reverse order, and repeating records centuries back.
            state.Messages(i, 1) = locale.shortDate(QDate(1900, 1, 31).addDays(MaxMessages - i));
            state.Messages(i, 2) = QStringLiteral("Message %1").arg(i);
            state.Messages(i, 3) = QStringLiteral("First line of the body\r\nSecond line, a bit "
                                                  "longer than the first one");
            state.Messages(i, 4) = QString::fromLatin1(repeats[i % 5]);
            state.Messages(i, 5) = i % 5 == 4 ? Value(QStringLiteral("1961")) : Value(QString());
            state.Messages(i, 7) = qint16(31);
            state.Messages(i, 8) = i % 7 == 0 ? QStringLiteral("14:35") : QString();
            state.Messages(i, 9) = QStringLiteral("/home/user/sounds/alarm.wav");
        }
    }
};

void BM_ReadFileBytes(benchmark::State& st)
{
    Bench b;
    SaveMessages(b.ctx);
    for (auto _ : st) {
        QFile file(b.state.MessageFile);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMicrosecond);

void BM_LoadMessages(benchmark::State& st)
{
    Bench b;
    SaveMessages(b.ctx);
    for (auto _ : st) {
        ReadMessageFile(b.ctx);
        benchmark::DoNotOptimize(b.state.MessageCount);
    }
}
BENCHMARK(BM_LoadMessages)->Unit(benchmark::kMicrosecond);

void BM_BuildShownList(benchmark::State& st)
{
    Bench b;
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        st.ResumeTiming();
        BuildShownList(b.ctx);
        benchmark::DoNotOptimize(b.state.ShownCount);
    }
}
BENCHMARK(BM_BuildShownList)->Unit(benchmark::kMicrosecond);

// The same with a new locale each time, so no date text has been read before.
void BM_BuildShownListFirstTime(benchmark::State& st)
{
    Bench b;
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        const DateLocale fresh(b.locale.locale());
        StoreContext ctx{b.state, b.clock, fresh, b.ui};
        st.ResumeTiming();
        BuildShownList(ctx);
        benchmark::DoNotOptimize(b.state.ShownCount);
    }
}
BENCHMARK(BM_BuildShownListFirstTime)->Unit(benchmark::kMicrosecond);

void BM_SaveMessages(benchmark::State& st)
{
    Bench b;
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        st.ResumeTiming();
        benchmark::DoNotOptimize(SaveMessages(b.ctx));
    }
}
BENCHMARK(BM_SaveMessages)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
