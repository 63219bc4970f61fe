#pragma once

#include <QString>
#include <QVector>
#include <functional>

// One row of the table: an operation timed over several runs.
struct Measurement {
    QString operation;
    QString size;
    double budgetMs = 0;
    QVector<double> runsMs;
    double peakMb = 0;
    bool worstCounts = false;  // the budget holds for every run, not the median
};

// Runs prepare (untimed) then run (timed) the given number of times.
Measurement Measure(const QString &operation, const QString &size, double budgetMs, int runs,
                    const std::function<void()> &prepare, const std::function<void()> &run);

double Median(QVector<double> values);
double PeakMemoryMb();
double CurrentMemoryMb();
// Processor time the calling thread has used, in ms (0 where it can't be read).
double ThreadCpuMs();
void PrintTable(const QVector<Measurement> &rows);
