#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

// The time a play runs by, and its wake-ups. Tests put a clock of their own
// in its place and move it on by hand.
class PlayClock : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Time 0 is now.
    virtual void restart() = 0;
    virtual qint64 ms() const = 0;
    // due() once ms() reaches atMs; replaces the wake-up asked for before.
    virtual void wakeAt(qint64 atMs) = 0;
    virtual void cancel() = 0;

signals:
    void due();
};

// The machine's steady time and a precise timer.
class SteadyClock final : public PlayClock {
public:
    explicit SteadyClock(QObject *parent = nullptr) : PlayClock(parent)
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &PlayClock::due);
    }
    void restart() override { m_elapsed.start(); }
    qint64 ms() const override { return m_elapsed.elapsed(); }
    void wakeAt(qint64 atMs) override { m_timer.start(static_cast<int>(qMax<qint64>(0, atMs - ms()))); }
    void cancel() override { m_timer.stop(); }

private:
    QElapsedTimer m_elapsed;
    QTimer m_timer;
};

// A clock moved on by hand, for tests and the benchmark: each wake-up it
// passes fires at its own time, without waiting.
class ManualClock final : public PlayClock {
public:
    using PlayClock::PlayClock;
    void restart() override { m_now = 0; }
    qint64 ms() const override { return m_now; }
    void wakeAt(qint64 atMs) override { m_wake = atMs; }
    void cancel() override { m_wake.reset(); }

    std::optional<qint64> wakeMs() const { return m_wake; }
    bool waiting() const { return m_wake.has_value(); }
    void advanceTo(qint64 ms)
    {
        while (m_wake && *m_wake <= ms) {
            m_now = *m_wake;
            m_wake.reset();
            emit due();
        }
        m_now = qMax(m_now, ms);
    }
    void advanceBy(qint64 ms) { advanceTo(m_now + ms); }

private:
    qint64 m_now = 0;
    std::optional<qint64> m_wake;
};
