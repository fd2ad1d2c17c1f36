#include "support/InstrumentSimulator.h"

#include "platform/SettingsStore.h"
#include "programming/link/RegisterFrame.h"
#include "support/SimRegisterProtocol.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <utility>

namespace {

// Bytes of an unfinished request older than this are noise: the next request starts afresh.
constexpr int kStaleInputMs = 50;

} // namespace

InstrumentSimulator::InstrumentSimulator(std::unique_ptr<SimProtocol> protocol)
    : m_Protocol(protocol ? std::move(protocol) : std::make_unique<SimRegisterProtocol>())
{
    m_Readable = std::make_unique<QSocketNotifier>(m_Pty.MasterFd(), QSocketNotifier::Read);
    connect(m_Readable.get(), &QSocketNotifier::activated, this, &InstrumentSimulator::OnReadable);
    m_StaleInput.setSingleShot(true);
    m_StaleInput.setInterval(kStaleInputMs);
    connect(&m_StaleInput, &QTimer::timeout, this, [this] { m_Input.clear(); });
    m_OutputRetry.setSingleShot(true);
    m_OutputRetry.setInterval(1);
    connect(&m_OutputRetry, &QTimer::timeout, this, &InstrumentSimulator::DrainOutput);
}

InstrumentSimulator::~InstrumentSimulator() = default;

void InstrumentSimulator::AttachAsPort(int nCom) const
{
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(nCom), SlaveName());
}

SimInstrument &InstrumentSimulator::AddInstrument(int address, int baud)
{
    m_Instruments.push_back(std::make_unique<SimInstrument>(address, baud));
    return *m_Instruments.back();
}

SimInstrument *InstrumentSimulator::Instrument(int address)
{
    for (const auto &instrument : m_Instruments)
        if (instrument->Address() == address)
            return instrument.get();
    return nullptr;
}

double InstrumentSimulator::ModelledExchangeMs(int requestBytes, int replyBytes, int baud) const
{
    return (requestBytes + replyBytes) * m_Pty.BitsPerCharacter() * 1000.0 / baud + m_TurnaroundMs;
}

double InstrumentSimulator::RtuSilenceMs(int baud) const
{
    return baud > 19200 ? 1.75 : 3.5 * m_Pty.BitsPerCharacter() * 1000.0 / baud;
}

std::function<bool(const QByteArray &)> InstrumentSimulator::ForRegister(quint16 registerAddress)
{
    return [registerAddress](const QByteArray &request) {
        return request.size() >= 4 && quint16(FrameWord(request, 2)) == registerAddress;
    };
}

void InstrumentSimulator::HangUp()
{
    m_Readable.reset();
    m_Output.clear();
    m_Pty.HangUp();
}

void InstrumentSimulator::OnReadable()
{
    m_Input += m_Pty.ReadAvailable();
    QByteArray request;
    while (m_Protocol->TakeRequest(m_Input, request))
        HandleRequest(request);
    if (m_Input.isEmpty())
        m_StaleInput.stop();
    else
        m_StaleInput.start();
}

void InstrumentSimulator::HandleRequest(const QByteArray &request)
{
    m_Requests.append(request);
    Q_EMIT RequestHeard(request);
    if (!m_HeldReply.isEmpty())
        Push(std::exchange(m_HeldReply, {}), {});
    QList<SimInstrument *> instruments;
    for (const auto &instrument : m_Instruments)
        instruments.append(instrument.get());
    SimInstrument *addressee = m_Protocol->Addressee(instruments, request);
    if (addressee == nullptr || addressee->Baud() != m_Pty.LineBaud())
        return;
    const std::optional<FaultPlan> plan = TakeFault(addressee->Address(), request);
    const bool faulty = plan.has_value();
    const SimFault fault = faulty ? plan->fault : SimFault::Silence;
    const int faultDelayMs = faulty ? plan->delayMs.value_or(m_FaultDelayMs) : 0;
    if (faulty && fault == SimFault::Silence)
        return;
    SimAnswer answer = m_Protocol->Answer(*addressee, request);
    const std::function<void()> after = std::move(answer.afterReply);
    auto replied = [this, after] {
        Q_EMIT ReplySent();
        if (after)
            after();
    };
    if (answer.reply.isEmpty()) {
        replied();
        return;
    }
    const double wireMs =
        m_EmulateWireTime
            ? ModelledExchangeMs(request.size(), answer.reply.size(), m_Pty.LineBaud()) - m_TurnaroundMs
            : 0.0;
    const double delayMs = wireMs + m_TurnaroundMs;
    if (!faulty) {
        Send(answer.reply, delayMs, replied);
        return;
    }
    switch (fault) {
    case SimFault::Late:
        if (faultDelayMs == kUntilNextRequest) {
            m_HeldReply = answer.reply;
            if (after)
                after();
        } else {
            Send(answer.reply, delayMs + faultDelayMs, replied);
        }
        break;
    case SimFault::Split: {
        const qsizetype half = answer.reply.size() / 2;
        Send(answer.reply.left(half), delayMs, {});
        Send(answer.reply.mid(half), delayMs + faultDelayMs, replied);
        break;
    }
    case SimFault::Garbage:
        Send(Garbage(answer.reply.size()), delayMs, replied);
        break;
    default:
        Send(m_Protocol->Spoil(fault, answer.reply), delayMs, replied);
        break;
    }
}

std::optional<InstrumentSimulator::FaultPlan> InstrumentSimulator::TakeFault(int address,
                                                                             const QByteArray &request)
{
    for (auto plan = m_Faults.begin(); plan != m_Faults.end(); ++plan) {
        if ((plan->address != kAnyAddress && plan->address != address) ||
            (plan->when && !plan->when(request)))
            continue;
        FaultPlan taken = *plan;
        if (plan->times > 0 && --plan->times == 0)
            m_Faults.erase(plan);
        return taken;
    }
    return std::nullopt;
}

void InstrumentSimulator::Send(const QByteArray &bytes, double delayMs, std::function<void()> afterWrite)
{
    QElapsedTimer since;
    since.start();
    auto push = [this, bytes, since, delayNs = qint64(delayMs * 1e6), afterWrite = std::move(afterWrite)] {
        // The timer keeps whole milliseconds; the wire's fraction is spun away.
        while (since.nsecsElapsed() < delayNs) {
        }
        Push(bytes, afterWrite);
    };
    if (delayMs < 1)
        push();
    else
        QTimer::singleShot(int(delayMs), Qt::PreciseTimer, this, std::move(push));
}

void InstrumentSimulator::Push(const QByteArray &bytes, std::function<void()> afterWrite)
{
    m_Output.append({bytes, std::move(afterWrite)});
    DrainOutput();
}

void InstrumentSimulator::DrainOutput()
{
    while (!m_Output.isEmpty() && m_Pty.IsOpen()) {
        PendingWrite &front = m_Output.front();
        front.bytes.remove(0, m_Pty.Write(front.bytes));
        if (!front.bytes.isEmpty()) {
            m_OutputRetry.start(); // the program has not read yet: go on later, never block it
            return;
        }
        const std::function<void()> afterWrite = std::move(front.afterWrite);
        m_Output.removeFirst();
        if (afterWrite)
            afterWrite();
    }
}

QByteArray InstrumentSimulator::Garbage(qsizetype size)
{
    QRandomGenerator noise(m_NoiseSeed++);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = char(noise.bounded(256));
    if (CheckReplyCRC(bytes))
        bytes[0] = char(bytes[0] ^ 0x01);
    return bytes;
}
