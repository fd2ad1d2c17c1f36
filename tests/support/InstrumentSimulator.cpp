#include "support/InstrumentSimulator.h"

#include "platform/SettingsStore.h"

#include <QElapsedTimer>

namespace {

// Register frames as an instrument answers them: function 4 (read a run of registers) and
// function 6 (write one, answered with the echo); any other function gets the exception reply
// (function + 0x80, code 1). A run of bytes that is no valid request is skipped byte by byte.
class SimRegisterProtocol : public SimProtocol
{
public:
    bool TakeRequest(QByteArray &input, QByteArray &request) override
    {
        for (; input.size() >= 8; input.remove(0, 1))
            if (CheckReplyCRC(QByteArrayView(input).first(8))) {
                request = input.left(8);
                input.remove(0, 8);
                return true;
            }
        return false;
    }
    bool IsFor(const SimInstrument &instrument, const QByteArray &request) override
    {
        return instrument.Address() == quint8(request[0]);
    }
    SimAnswer Answer(SimInstrument &instrument, const QByteArray &request) override
    {
        const quint8 function = quint8(request[1]);
        const auto first = quint16(FrameWord(request, 2));
        const auto countOrValue = quint16(FrameWord(request, 4));
        QByteArray reply(1, request[0]);
        if (function == rfReadRegisters) {
            reply.append(char(function)).append(char(2 * countOrValue));
            for (quint16 k = 0; k < countOrValue; ++k)
                AppendWord(reply, instrument.Register(quint16(first + k)));
            return {WithCRC16(reply), {}};
        }
        if (function != rfWriteRegister)
            return {Refusal(request, 1), {}};
        const auto value = qint16(countOrValue);
        instrument.RecordWrite(first, value);
        if (first == kNetworkAddressRegister || first == kBaudRateRegister)
            return {request, [&instrument, first, value] { instrument.SetRegister(first, value); }};
        instrument.SetRegister(first, value);
        return {request, {}};
    }
    QByteArray Refusal(const QByteArray &request, quint8 code) override
    {
        return WithCRC16(request.left(1).append(char(quint8(request[1]) | 0x80)).append(char(code)));
    }
};

QByteArray Spoilt(SimFault fault, QByteArray reply)
{
    if (fault == SimFault::BadCrc)
        reply.back() = char(reply.back() ^ 0x5A);
    if (fault != SimFault::ForeignAddress || reply.size() <= 2)
        return reply;
    reply[0] = char(quint8(reply[0]) % 255 + 1);
    return WithCRC16(reply.left(reply.size() - 2));
}

} // namespace

InstrumentSimulator::InstrumentSimulator(std::unique_ptr<SimProtocol> protocol)
    : m_Protocol(protocol ? std::move(protocol) : std::make_unique<SimRegisterProtocol>())
{
    m_Readable = std::make_unique<QSocketNotifier>(m_Pty.MasterFd(), QSocketNotifier::Read);
    connect(m_Readable.get(), &QSocketNotifier::activated, this, &InstrumentSimulator::OnReadable);
    m_OutputRetry.setSingleShot(true);
    m_OutputRetry.setInterval(1);
    connect(&m_OutputRetry, &QTimer::timeout, this, &InstrumentSimulator::DrainOutput);
}

InstrumentSimulator::~InstrumentSimulator() = default;

void InstrumentSimulator::AttachAsPort(int nCom) const
{
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(nCom), m_Pty.SlaveName());
}

SimInstrument &InstrumentSimulator::AddInstrument(int address, int baud)
{
    return *m_Instruments.emplace_back(std::make_unique<SimInstrument>(address, baud));
}

SimInstrument *InstrumentSimulator::Instrument(int address)
{
    for (const auto &instrument : m_Instruments)
        if (instrument->Address() == address)
            return instrument.get();
    return nullptr;
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
}

void InstrumentSimulator::HandleRequest(const QByteArray &request)
{
    m_Requests.append(request);
    Q_EMIT RequestHeard(request);
    if (!m_HeldReply.isEmpty())
        Send(std::exchange(m_HeldReply, {}), 0, {});
    SimInstrument *addressee = nullptr;
    for (const auto &instrument : m_Instruments)
        if (!addressee && m_Protocol->IsFor(*instrument, request))
            addressee = instrument.get();
    if (addressee == nullptr || addressee->Baud() != m_Pty.LineBaud())
        return;
    const FaultPlan *plan = TakeFault(addressee->Address(), request);
    if (plan && plan->fault == SimFault::Silence)
        return;
    if (plan && plan->fault == SimFault::Exception) {
        const QByteArray refusal = m_Protocol->Refusal(request, plan->exceptionCode);
        Send(refusal, ReplyDelayMs ? ReplyDelayMs(request, refusal, m_Pty.LineBaud()) : 0,
             [this] { Q_EMIT ReplySent(); });
        return;
    }
    SimAnswer answer = m_Protocol->Answer(*addressee, request);
    auto replied = [this, after = answer.afterReply] {
        Q_EMIT ReplySent();
        if (after)
            after();
    };
    if (answer.reply.isEmpty())
        return replied();
    const double delayMs = ReplyDelayMs ? ReplyDelayMs(request, answer.reply, m_Pty.LineBaud()) : 0;
    if (!plan) {
        Send(answer.reply, delayMs, replied);
    } else if (plan->fault == SimFault::Late && plan->delayMs == kUntilNextRequest) {
        m_HeldReply = answer.reply;
        if (answer.afterReply)
            answer.afterReply();
    } else if (plan->fault == SimFault::Late) {
        Send(answer.reply, delayMs + plan->delayMs, replied);
    } else if (plan->fault == SimFault::Split) {
        const qsizetype half = answer.reply.size() / 2;
        Send(answer.reply.left(half), delayMs, {});
        Send(answer.reply.mid(half), delayMs + plan->delayMs, replied);
    } else {
        Send(Spoilt(plan->fault, answer.reply), delayMs, replied);
    }
}

const InstrumentSimulator::FaultPlan *InstrumentSimulator::TakeFault(int address, const QByteArray &request)
{
    for (auto plan = m_Faults.begin(); plan != m_Faults.end(); ++plan) {
        if ((plan->address != kAnyAddress && plan->address != address) ||
            (plan->when && !plan->when(request)))
            continue;
        m_Taken = *plan;
        if (plan->times > 0 && --plan->times == 0)
            m_Faults.erase(plan);
        return &m_Taken;
    }
    return nullptr;
}

void InstrumentSimulator::Send(const QByteArray &bytes, double delayMs, std::function<void()> afterWrite)
{
    QElapsedTimer since;
    since.start();
    auto push = [this, bytes, since, delayNs = qint64(delayMs * 1e6), afterWrite = std::move(afterWrite)] {
        // The timer keeps whole milliseconds; the wire's fraction is spun away.
        while (since.nsecsElapsed() < delayNs) {
        }
        m_Output.append({bytes, afterWrite});
        DrainOutput();
    };
    if (delayMs < 1)
        push();
    else
        QTimer::singleShot(int(delayMs), Qt::PreciseTimer, this, std::move(push));
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
