#pragma once

#include "programming/link/RegisterFrame.h"
#include "support/SimPty.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSocketNotifier>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <functional>
#include <iterator>
#include <list>
#include <memory>
#include <vector>

// One simulated instrument: its address on the line, its own baud rate and its registers.
// Every register reads as what was last stored in it (0 at first), except the network
// address (0xE056) and baud-rate (0xE057) words, which read as the instrument's current
// address and baud code (0 = 4800, 1 = 9600, 2 = 19200, 3 = 38400) and, written, change them
// only once the reply to that write has left.
class SimInstrument
{
public:
    SimInstrument(int address, int baud) : m_Address(address), m_Baud(baud) {}

    int Address() const { return m_Address; }
    void SetAddress(int address) { m_Address = address; }
    int Baud() const { return m_Baud; }
    void SetBaud(int baud) { m_Baud = baud; }

    qint16 Register(quint16 registerAddress) const
    {
        if (registerAddress == kNetworkAddressRegister)
            return qint16(m_Address);
        if (registerAddress == kBaudRateRegister)
            return qint16(CodeOfBaud(m_Baud));
        return m_Registers.value(registerAddress, 0);
    }
    void SetRegister(quint16 registerAddress, qint16 value)
    {
        if (registerAddress == kNetworkAddressRegister && value >= 1 && value <= 255)
            m_Address = value;
        else if (registerAddress == kBaudRateRegister && value >= 0 && value < 4)
            m_Baud = kBauds[value];
        else if (registerAddress != kNetworkAddressRegister && registerAddress != kBaudRateRegister)
            m_Registers.insert(registerAddress, value);
    }

    // Shorthands for the registers the program reads.
    void SetProbe(qint16 value) { SetRegister(kProbeRegister, value); } // 27 ZOB, 28 QEM
    void SetModuleCode(qint16 code) { SetRegister(kModuleCodeRegister, code); }
    void SetDecimalPoint(qint16 dp) { SetRegister(kDecimalPointRegister, dp); }
    void SetLiveValue(qint16 counts, qint16 status)
    {
        SetRegister(kLiveValueBlockRegister, counts);
        SetRegister(kLiveStatusRegister, status);
    }
    // Image word i at 0xE000 + i, word 89 at 0xE06C; words 86 and 87 set address and baud.
    void SetImage(const QVector<qint16> &words)
    {
        for (int i = 0; i < words.size(); ++i)
            SetRegister(ImageRegister(i), words[i]);
    }
    QVector<qint16> Image(int wordCount) const
    {
        QVector<qint16> words(wordCount);
        for (int i = 0; i < wordCount; ++i)
            words[i] = Register(ImageRegister(i));
        return words;
    }

    // A register write received from the program, in order (whatever it changed).
    void RecordWrite(quint16 registerAddress, qint16 value) { m_Writes.append({registerAddress, value}); }
    const QList<QPair<quint16, qint16>> &Writes() const { return m_Writes; }

    // -1 for a rate the instrument does not know.
    static int CodeOfBaud(int baud)
    {
        const int *found = std::find(std::begin(kBauds), std::end(kBauds), baud);
        return found == std::end(kBauds) ? -1 : int(found - kBauds);
    }

private:
    static constexpr int kBauds[] = {4800, 9600, 19200, 38400};
    static quint16 ImageRegister(int word)
    {
        return word == 89 ? kColdJunctionRegister : quint16(kMemoryMapBaseAddress + word);
    }

    int m_Address;
    int m_Baud;
    QHash<quint16, qint16> m_Registers;
    QList<QPair<quint16, qint16>> m_Writes;
};

// Faults the simulated line plays on demand (InstrumentSimulator::InjectFault). Silence: the
// request is lost, the instrument neither acts nor answers. Exception: the instrument refuses
// the request, neither acts nor records it, and answers with its exception reply. The others:
// the instrument acts and its reply is spoiled on the way.
enum class SimFault {
    Silence,
    BadCrc,         // the reply's last byte is wrong (a register reply fails its CRC)
    Late,           // the reply comes after the fault delay (or with the next reply)
    Split,          // the reply comes in two parts with the fault delay between them
    ForeignAddress, // a register reply names another address, with a right CRC
    Exception,      // the exception reply: function | 0x80, the plan's exception code, right CRC
};

struct SimAnswer
{
    QByteArray reply; // empty: the instrument keeps quiet
    // What changes only once the reply has left (a new address or baud rate).
    std::function<void()> afterReply;
};

// What the instruments on the line understand: register frames unless the line is given
// another protocol (the auxiliary text interface, SimAuxLine.h).
class SimProtocol
{
public:
    virtual ~SimProtocol() = default;
    // Takes one complete request off the front of input; false while none is complete.
    virtual bool TakeRequest(QByteArray &input, QByteArray &request) = 0;
    virtual bool IsFor(const SimInstrument &instrument, const QByteArray &request) = 0;
    virtual SimAnswer Answer(SimInstrument &instrument, const QByteArray &request) = 0;
    // The instrument's refusal of the request with code; empty where the protocol has none.
    virtual QByteArray Refusal(const QByteArray &, quint8) { return {}; }
};

// Instruments on a serial line, for tests and benchmarks: the far end of a pseudo-terminal
// that the program opens as its COM port. It runs on the test's own thread through the Qt
// event loop, so it answers while the program waits in its local event loop.
//
//   InstrumentSimulator line;                   // empty line, register protocol
//   line.AttachAsPort(1);                       // [Ports] COM1 = the pseudo-terminal
//   SimInstrument &unit = line.AddInstrument(1, 9600);
//   unit.SetModuleCode(0x1C00);
//   line.InjectFault(SimFault::BadCrc, 2);      // the next two replies fail their CRC
//   ... link.OpenRs232(1, 3, 0); exchanges ...
//   unit.Writes(), line.Requests()              // what the program sent
//
// An instrument answers a request only when it is addressed and the program's port runs at
// the instrument's own baud rate (SimPty::LineBaud); at any other rate it keeps quiet. A new
// address or baud rate written to it takes effect once its reply has left.
class InstrumentSimulator : public QObject
{
    Q_OBJECT

public:
    static constexpr int kAnyAddress = 0;
    static constexpr int kAlways = -1;
    // As a fault delay of Late: the reply is held back and arrives just before the reply to
    // the next request, as a late answer does that crosses the next exchange.
    static constexpr int kUntilNextRequest = -1;

    explicit InstrumentSimulator(std::unique_ptr<SimProtocol> protocol = {});
    ~InstrumentSimulator() override;

    // Points COM<nCom> of the program's settings at this line.
    void AttachAsPort(int nCom) const;

    SimInstrument &AddInstrument(int address, int baud = 9600);
    // nullptr when no instrument has that address now.
    SimInstrument *Instrument(int address);

    // How long after its request a reply starts, at the program's baud rate (a benchmark models
    // a real line here, bench/WireTime.h); none: at once.
    std::function<double(const QByteArray &request, const QByteArray &reply, int baud)> ReplyDelayMs;
    double BitsPerCharacter() const { return m_Pty.BitsPerCharacter(); }

    // The next `times` replies (kAlways: every reply) of the instrument at `address`
    // (kAnyAddress: of whichever answers) suffer the fault; with `when`, only replies to the
    // requests it picks. Faults queue: the first that fits a reply takes it.
    struct FaultPlan
    {
        SimFault fault;
        int times = 1;
        int address = kAnyAddress;
        int delayMs = 200; // of a Late reply (or kUntilNextRequest), or the gap inside a Split one
        std::function<bool(const QByteArray &request)> when = {};
        quint8 exceptionCode = 3; // of an Exception: illegal data value
    };
    void InjectFault(FaultPlan plan) { m_Faults.push_back(std::move(plan)); }
    void InjectFault(SimFault fault, int times = 1, int address = kAnyAddress)
    {
        InjectFault(FaultPlan{fault, times, address});
    }
    // Picks the register requests naming `registerAddress` first.
    static std::function<bool(const QByteArray &)> ForRegister(quint16 registerAddress);

    // The device goes away: the program's port sees a line fault.
    void HangUp();

    // Every complete request heard, answered or not.
    const QList<QByteArray> &Requests() const { return m_Requests; }

Q_SIGNALS:
    // Each complete request as it is heard, before any answer: a benchmark times the
    // program's requests by it.
    void RequestHeard(const QByteArray &request);
    // A reply has fully left.
    void ReplySent();

private:
    struct PendingWrite
    {
        QByteArray bytes;
        std::function<void()> afterWrite;
    };

    void OnReadable();
    void HandleRequest(const QByteArray &request);
    const FaultPlan *TakeFault(int address, const QByteArray &request);
    void Send(const QByteArray &bytes, double delayMs, std::function<void()> afterWrite);
    void DrainOutput();

    SimPty m_Pty;
    std::unique_ptr<SimProtocol> m_Protocol;
    std::unique_ptr<QSocketNotifier> m_Readable;
    QTimer m_OutputRetry;
    std::vector<std::unique_ptr<SimInstrument>> m_Instruments;
    std::list<FaultPlan> m_Faults;
    FaultPlan m_Taken{SimFault::Silence};
    QByteArray m_Input;
    QList<PendingWrite> m_Output;
    QByteArray m_HeldReply;
    QList<QByteArray> m_Requests;
};
