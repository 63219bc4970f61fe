#include "Measure.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double statusValueMb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

Measurement Measure(const QString &operation, const QString &size, double budgetMs, int runs,
                    const std::function<void()> &prepare, const std::function<void()> &run)
{
    Measurement m{operation, size, budgetMs, {}, 0, false};
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        m.runsMs.append(timer.nsecsElapsed() / 1e6);
    }
    m.peakMb = PeakMemoryMb();
    return m;
}

double Median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values.at(mid) : (values.at(mid - 1) + values.at(mid)) / 2;
}

double PeakMemoryMb()
{
    return statusValueMb("VmHWM:");
}

double ThreadCpuMs()
{
#if defined(Q_OS_LINUX)
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
#else
    return 0;
#endif
}

double CurrentMemoryMb()
{
    return statusValueMb("VmRSS:");
}

void PrintTable(const QVector<Measurement> &rows)
{
    std::printf("| operation | size | median ms | worst ms | budget ms | peak MB | |\n");
    std::printf("|---|---|---:|---:|---:|---:|---|\n");
    for (const Measurement &m : rows) {
        const double median = Median(m.runsMs);
        const double worst = *std::max_element(m.runsMs.begin(), m.runsMs.end());
        std::printf("| %s | %s | %.2f | %.2f | %.0f | %.1f | %s |\n", qPrintable(m.operation), qPrintable(m.size),
                    median, worst, m.budgetMs, m.peakMb, (m.worstCounts ? worst : median) <= m.budgetMs ? "ok" : "OVER BUDGET");
    }
    std::fflush(stdout);
}
