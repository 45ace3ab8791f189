// The store's routines on a message file of the costliest kind (records in reverse date order,
// every repeating record far in the past): load, display-list build, save and the removal of
// outdated messages, beside the bare reading and writing of the same bytes. Each is timed for 125
// to 1000 records, so the growth with the number of messages shows beside the figure for a full
// table.
#include "BenchSupport.h"
#include "FileSafety.h"
#include "ListMaintenance.h"
#include "MessageFile.h"
#include "Recurrence.h"
#include "TextCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kelvaro;
using kelvaro::bench::fillWorstCase;

namespace {

struct Bench {
    QTemporaryDir dir;
    SharedState state;
    bench::FixedClock clock;
    DateLocale locale{QLocale(QLocale::Dutch, QLocale::Netherlands)};
    bench::QuietUi ui;
    StoreContext ctx{state, clock, locale, ui};
    int count;

    explicit Bench(int records) : count(records)
    {
        state.MessageFile = dir.filePath(QStringLiteral("Kelvaro.rmf"));
        fill();
    }

    void fill() { fillWorstCase(state, locale, count); }

    // The message file of the table, written once.
    QByteArray saved()
    {
        SaveMessages(ctx);
        QFile file(state.MessageFile);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};

void records(benchmark::internal::Benchmark* b)
{
    for (int count : {125, 250, 500, MaxMessages})
        b->Arg(count);
    b->Complexity()->Unit(benchmark::kMicrosecond);
}

// The floor for loading: the file's bytes and nothing else.
void BM_ReadFileBytes(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    b.saved();
    for (auto _ : st) {
        QFile file(b.state.MessageFile);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_ReadFileBytes)->Apply(records);

void BM_LoadMessages(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    b.saved();
    for (auto _ : st) {
        ReadMessageFile(b.ctx);
        benchmark::DoNotOptimize(b.state.MessageCount);
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_LoadMessages)->Apply(records);

// The load at start-up: a new locale, so no date has been formatted before.
void BM_LoadMessagesFirstTime(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    b.saved();
    for (auto _ : st) {
        st.PauseTiming();
        const DateLocale fresh(b.locale.locale());
        StoreContext ctx{b.state, b.clock, fresh, b.ui};
        st.ResumeTiming();
        ReadMessageFile(ctx);
        benchmark::DoNotOptimize(b.state.MessageCount);
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_LoadMessagesFirstTime)->Apply(records);

// Roll forward, sort and the display list.
void BM_BuildShownList(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        st.ResumeTiming();
        BuildShownList(b.ctx);
        benchmark::DoNotOptimize(b.state.ShownCount);
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_BuildShownList)->Apply(records);

// The same with a new locale each time that has neither read nor written any of the date texts:
// the build when nothing about the dates is known yet.
void BM_BuildShownListFirstTime(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        const DateLocale fresh(b.locale.locale());
        StoreContext ctx{b.state, b.clock, fresh, b.ui};
        st.ResumeTiming();
        BuildShownList(ctx);
        benchmark::DoNotOptimize(b.state.ShownCount);
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_BuildShownListFirstTime)->Apply(records);

// What start-up does with the store: the file loaded and the board's list built, with a new
// locale as in a new process.
void BM_LoadAndBuildFirstTime(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    b.saved();
    for (auto _ : st) {
        st.PauseTiming();
        const DateLocale fresh(b.locale.locale());
        StoreContext ctx{b.state, b.clock, fresh, b.ui};
        st.ResumeTiming();
        ReadMessageFile(ctx);
        BuildShownList(ctx);
        benchmark::DoNotOptimize(b.state.ShownCount);
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_LoadAndBuildFirstTime)->Apply(records);

// The whole save, from the table to the file replaced on disk.
void BM_SaveMessages(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        st.ResumeTiming();
        benchmark::DoNotOptimize(SaveMessages(b.ctx));
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_SaveMessages)->Apply(records)->UseRealTime();

// The program's own part of a save: the table turned into the file's bytes.
void BM_FormatMessages(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        st.ResumeTiming();
        benchmark::DoNotOptimize(encodeFileText(formatMessages(b.ctx)));
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_FormatMessages)->Apply(records);

// The floor for saving: the same bytes written to the same place in one step.
void BM_WriteFileBytes(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    const QByteArray bytes = b.saved();
    QString error;
    for (auto _ : st)
        benchmark::DoNotOptimize(writeFileAtomically(b.state.MessageFile, bytes, &error));
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_WriteFileBytes)->Apply(records)->UseRealTime();

// Removal at exit when every one-time message is outdated and nothing is asked: each removal
// moves the records behind it up one place. Sorting and saving the rest are included.
void BM_RemoveOutdated(benchmark::State& st)
{
    Bench b(int(st.range(0)));
    b.state.ConfirmRemoval = false;
    for (auto _ : st) {
        st.PauseTiming();
        b.fill();
        for (int i = 1; i <= b.count; ++i)
            b.state.Messages(i, Field::Repeat) = QStringLiteral("ONCE");
        st.ResumeTiming();
        RemoveOutdated(b.ctx);
        benchmark::DoNotOptimize(b.state.MessageCount);
    }
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_RemoveOutdated)->Apply(records)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
