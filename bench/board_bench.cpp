// The main window's recurring work on a full board: the clock's tick every second, a page turn
// and a rebuild, each followed by the repaint it causes.
#include "BenchSupport.h"
#include "DateLocale.h"
#include "MainForm.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace kelvaro;

namespace {

// A second later at every call, within one hour of the same day: the time text changes at every
// tick as it does on a running clock, and midnight never comes.
class SecondsClock final : public Clock {
public:
    QDateTime now() const override
    {
        m_seconds = (m_seconds + 1) % 3600;
        return QDateTime(QDate(2026, 12, 11), QTime(9, 0)).addSecs(m_seconds);
    }

private:
    mutable int m_seconds = 0;
};

struct Board {
    SharedState state;
    SecondsClock clock;
    DateLocale locale;
    bench::SilentSound sound;
    bench::QuietUi ui;
    MainForm form{state, clock, locale, sound, ui};

    Board()
    {
        bench::fillWorstCase(state, locale);
        form.show();
        form.Form_Activate(); // today's date into the date box, as a running window has it
        form.UpdateBoard();
        QApplication::processEvents();
    }
};

void BM_KlokTick(benchmark::State& st)
{
    Board b;
    for (auto _ : st) {
        b.form.Klok_Timer();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_KlokTick)->Unit(benchmark::kMicrosecond);

void BM_PageTick(benchmark::State& st)
{
    Board b;
    for (auto _ : st) {
        b.form.Forward_Click();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PageTick)->Unit(benchmark::kMicrosecond);

void BM_UpdateBoard(benchmark::State& st)
{
    Board b;
    for (auto _ : st) {
        b.form.UpdateBoard();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_UpdateBoard)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    // Drawn into memory unless a display is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
