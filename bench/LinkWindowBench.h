#pragma once

// What the link-window benchmarks share: a throw-away user folder with an archive, the
// offscreen platform, and a clock over the simulator's requests that sums the modelled time of
// the exchanges it has seen: wire time, turnaround and the 3.5-character silence before each
// request after the first.
#include "Clock.h"
#include "WireTime.h"
#include "common/widgets/MessageBox.h"
#include "model/Archive.h"
#include "model/ScaleTables.h"
#include "programming/link/RegisterFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <numeric>
#include <utility>

inline constexpr int kBenchBaud = 9600;

// The user folders in a throw-away folder and the offscreen platform, set before the
// application object exists.
class CBenchHome
{
public:
    CBenchHome()
    {
        qputenv("XDG_CONFIG_HOME", (m_Home.path() + "/config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (m_Home.path() + "/data").toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

private:
    QTemporaryDir m_Home;
};

// The application of a link-window benchmark: the scale tables, an open archive, and
// messages printed instead of shown (a box nobody clicks would stop the clock).
class CBenchApplication : private CBenchHome, public QApplication
{
public:
    CBenchApplication(int &argc, char **argv) : CBenchHome(), QApplication(argc, argv)
    {
        QLocale::setDefault(QLocale::c());
        InitGlobalScale();
        g_Connection->Open();
        SetMessageBox([](QWidget *, const CMessage &message) {
            std::fprintf(stderr, "message: %s\n", qPrintable(message.Text));
            return QMessageBox::Ok;
        });
    }
    ~CBenchApplication() override { g_Connection->Close(); }
};

inline void PrintRatio(const char *name, double elapsedMs, double modelMs)
{
    std::printf("%-34s elapsed %8.1f ms  model %8.1f ms  ratio %.3f\n", name, elapsedMs, modelMs,
                elapsedMs / modelMs);
}

// Starts at the first request that `starts` picks and from then on adds each exchange's
// modelled time (request and reply bytes on the wire, the turnaround, and the silence that
// must precede every request but the first). It also notes the silence the instrument sees
// between the end of each reply and the next request.
class CExchangeClock : public QObject
{
public:
    CExchangeClock(InstrumentSimulator &line, std::function<bool(const QByteArray &)> starts)
        : m_Line(line), m_Starts(std::move(starts))
    {
        connect(&line, &InstrumentSimulator::RequestHeard, this, &CExchangeClock::OnRequest);
        connect(&line, &InstrumentSimulator::ReplySent, this, [this] {
            if (m_Clock.isValid())
                m_LineMs = m_LastReplyMs = ElapsedMs();
        });
    }

    bool Started() const { return m_Clock.isValid(); }
    double ElapsedMs() const { return double(m_Clock.nsecsElapsed()) / 1e6; }
    // From the first request to the last reply.
    double LineMs() const { return m_LineMs; }
    double ModelMs() const { return m_ModelMs; }
    int Exchanges() const { return m_Exchanges; }
    // The gaps between the end of a reply and the next request: their median and mean.
    double MedianGapMs() const { return Median(m_GapsMs); }
    double MeanGapMs() const
    {
        return m_GapsMs.isEmpty() ? 0
                                  : std::accumulate(m_GapsMs.begin(), m_GapsMs.end(), 0.0) / m_GapsMs.size();
    }
    int Count(const QByteArray &request) const { return m_Counts.value(request); }

private:
    void OnRequest(const QByteArray &request)
    {
        if (!m_Clock.isValid()) {
            if (!m_Starts(request))
                return;
            m_Clock.start();
        }
        if (m_LastReplyMs >= 0)
            m_GapsMs.append(ElapsedMs() - std::exchange(m_LastReplyMs, -1));
        if (m_Exchanges++ > 0)
            m_ModelMs += RtuSilenceMs(m_Line, kBenchBaud);
        m_Counts[request] += 1;
        m_ModelMs +=
            ModelledExchangeMs(m_Line, int(request.size()), ExpectedReplyLength(request), kBenchBaud);
    }

    InstrumentSimulator &m_Line;
    std::function<bool(const QByteArray &)> m_Starts;
    QElapsedTimer m_Clock;
    double m_ModelMs = 0;
    double m_LineMs = 0;
    int m_Exchanges = 0;
    double m_LastReplyMs = -1; // -1: no reply since the last request
    QList<double> m_GapsMs;
    QHash<QByteArray, int> m_Counts;
};
