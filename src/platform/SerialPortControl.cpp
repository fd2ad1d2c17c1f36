#include "platform/SerialPortControl.h"

#include "platform/SerialPortNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <optional>

#include <unistd.h>

namespace Platform {
namespace {

struct BaudEntry
{
    qint32 code;
    qint32 rate;
};
constexpr BaudEntry kBaudTable[] = {{0, 1200}, {1, 2400}, {2, 4800}, {3, 9600}, {5, 19200}, {6, 38400}};

constexpr QSerialPort::Parity kParityOfCode[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                 QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                 QSerialPort::SpaceParity};
constexpr QSerialPort::StopBits kStopBitsOfCode[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                     QSerialPort::TwoStop};

bool IsCode(qint32 code, qsizetype tableSize)
{
    return code >= 0 && code < tableSize;
}

// QSerialPort is told its device as a QString, which it encodes as UTF-8 to open it; a path that
// is no UTF-8 (a Windows-1252 byte the settings file holds) has no such name. That device is
// reached through a link of a plain name, in a folder of this process's own that lives as long
// as this object: the open follows the link to the path's very bytes.
class CDeviceName
{
public:
    explicit CDeviceName(const QByteArray &path) : m_Name(QFile::decodeName(path))
    {
        if (QFile::encodeName(m_Name) == path)
            return;
        m_Name.clear();
        m_Folder.emplace();
        const QString link = m_Folder->filePath(QStringLiteral("port"));
        // A name without a folder is one of /dev, as QSerialPort takes it.
        const QByteArray target = path.startsWith('/') ? path
                                  : path.startsWith("./") || path.startsWith("../")
                                      ? QFile::encodeName(QDir::currentPath()) + '/' + path
                                      : "/dev/" + path;
        if (m_Folder->isValid() && ::symlink(target.constData(), QFile::encodeName(link).constData()) == 0)
            m_Name = link;
        else
            m_Fault =
                m_Folder->isValid() ? QString::fromLocal8Bit(std::strerror(errno)) : m_Folder->errorString();
    }
    // Empty when no link could be made; Fault() then says why.
    QString Name() const { return m_Name; }
    QString Fault() const { return m_Fault; }

private:
    QString m_Name;
    QString m_Fault;
    std::optional<QTemporaryDir> m_Folder;
};

} // namespace

CSerialPortControl::CSerialPortControl(QObject *parent) : QObject(parent)
{
    connect(&m_Port, &QSerialPort::readyRead, this, &CSerialPortControl::OnReadyRead);
    connect(&m_Port, &QSerialPort::errorOccurred, this, &CSerialPortControl::OnPortError);
}

CSerialPortControl::~CSerialPortControl()
{
    // No status may reach an owner that is being torn down with us.
    disconnect(&m_Port, nullptr, this, nullptr);
    m_Port.close();
}

qint32 CSerialPortControl::BaudRateOfCode(qint32 code)
{
    for (const BaudEntry &entry : kBaudTable)
        if (entry.code == code)
            return entry.rate;
    return 0;
}

bool CSerialPortControl::PortOpen() const
{
    return m_Port.isOpen();
}

void CSerialPortControl::SetPortOpen(bool open)
{
    if (!open) {
        m_Collecting = false;
        m_Port.close();
        return;
    }
    if (m_Port.isOpen())
        return;
    m_Device = SerialDevicePath(m_PortNumber);
    m_PortFailure = m_Device.isEmpty() ? EPortFailure::Missing : EPortFailure::Other;
    m_PortFailureText.clear();
    m_LineLost = false;
    if (m_LineMode != 0 || !LineSettingsValid() || m_Device.isEmpty())
        return;
    const CDeviceName name(m_Device);
    if (name.Name().isEmpty()) {
        m_PortFailureText = name.Fault();
        return;
    }
    m_Port.setPortName(name.Name());
    if (!m_Port.open(QIODevice::ReadWrite)) {
        NoteOpenFailure();
        return;
    }
    m_PortFailure = EPortFailure::None;
    ApplyLineSettings();
    m_Port.setDataTerminalReady(m_DTR);
    m_Port.setRequestToSend(m_RTS);
    m_Input.clear();
    m_Received.clear();
    m_LastInput.invalidate();
}

void CSerialPortControl::NoteOpenFailure()
{
    m_PortFailureText = m_Port.errorString();
    if (m_Port.error() == QSerialPort::DeviceNotFoundError || !DeviceExists())
        m_PortFailure = EPortFailure::Missing;
    else if (::access(m_Device.constData(), R_OK | W_OK) != 0)
        m_PortFailure = EPortFailure::Denied;
    else if (m_Port.error() == QSerialPort::PermissionError)
        // What the user may use but cannot open is held by another program (its lock file, or
        // its exclusive use), which the serial layer reports as a permission error.
        m_PortFailure = EPortFailure::Busy;
    else
        m_PortFailure = EPortFailure::Other;
    m_Port.clearError();
}

bool CSerialPortControl::DeviceExists() const
{
    return ::access(m_Device.constData(), F_OK) == 0;
}

void CSerialPortControl::NoteLineLost()
{
    m_LineLost = true;
    m_PortFailure = EPortFailure::Other;
    m_PortFailureText = m_Port.errorString();
}

EPortFailure CSerialPortControl::PortFailure() const
{
    // An adapter unplugged fails its reads a moment before its device node goes: asked when
    // the user is told, the node's absence tells.
    if (m_LineLost && !DeviceExists())
        return EPortFailure::Missing;
    return m_PortFailure;
}

void CSerialPortControl::SetBaudCode(qint32 code)
{
    m_BaudCode = code;
    ApplyLineSettings();
}

void CSerialPortControl::SetDataBits(qint32 bits)
{
    m_DataBits = bits;
    ApplyLineSettings();
}

void CSerialPortControl::SetStopBitCode(qint32 code)
{
    m_StopBitCode = code;
    ApplyLineSettings();
}

void CSerialPortControl::SetParityCode(qint32 code)
{
    m_ParityCode = code;
    ApplyLineSettings();
}

bool CSerialPortControl::LineSettingsValid() const
{
    return BaudRateOfCode(m_BaudCode) != 0 && m_DataBits >= 5 && m_DataBits <= 8 &&
           IsCode(m_StopBitCode, std::size(kStopBitsOfCode)) &&
           IsCode(m_ParityCode, std::size(kParityOfCode));
}

void CSerialPortControl::ApplyLineSettings()
{
    if (!m_Port.isOpen() || !LineSettingsValid())
        return;
    m_Port.setBaudRate(BaudRateOfCode(m_BaudCode));
    m_Port.setDataBits(QSerialPort::DataBits(m_DataBits));
    m_Port.setParity(kParityOfCode[m_ParityCode]);
    m_Port.setStopBits(kStopBitsOfCode[m_StopBitCode]);
    m_Port.setFlowControl(QSerialPort::NoFlowControl);
}

bool CSerialPortControl::DTR() const
{
    return m_DTR;
}

void CSerialPortControl::SetDTR(bool on)
{
    m_DTR = on;
    if (m_Port.isOpen())
        m_Port.setDataTerminalReady(on);
}

bool CSerialPortControl::RTS() const
{
    return m_RTS;
}

void CSerialPortControl::SetRTS(bool on)
{
    m_RTS = on;
    if (m_Port.isOpen())
        m_Port.setRequestToSend(on);
}

bool CSerialPortControl::PinoutSignal(QSerialPort::PinoutSignal signal) const
{
    if (!m_Port.isOpen())
        return false;
    // pinoutSignals() is not const in QSerialPort although it only asks the device.
    return const_cast<QSerialPort &>(m_Port).pinoutSignals().testFlag(signal);
}

bool CSerialPortControl::CTS() const
{
    return PinoutSignal(QSerialPort::ClearToSendSignal);
}
bool CSerialPortControl::DSR() const
{
    return PinoutSignal(QSerialPort::DataSetReadySignal);
}
bool CSerialPortControl::CD() const
{
    return PinoutSignal(QSerialPort::DataCarrierDetectSignal);
}

void CSerialPortControl::DiscardInput()
{
    m_Input.clear();
    if (!m_Port.isOpen())
        return;
    m_Port.clear(QSerialPort::Input);
    m_Port.readAll();
}

void CSerialPortControl::StartExchange()
{
    m_Input.clear();
    m_Received.clear();
    m_Collecting = false;
    m_ReplyDone = false;
    if (!m_Port.isOpen()) {
        // Reported later, as a device would: the caller is still inside its send step.
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT CommStatus(sscWriteError, QStringLiteral("port not open")); },
            Qt::QueuedConnection);
        return;
    }
    m_Collecting = true;
    // Straight to the device, as soon as the line's silence is over: through QSerialPort's
    // buffer the frame would wait for a flush and cost an event-loop wake for its write
    // notification on top.
    const qint64 written = ::write(int(m_Port.handle()), m_Output.constData(), size_t(m_Output.size()));
    if (written == m_Output.size())
        return;
    // The rest, or all of it on a failing device, goes through the port, which reports a fault.
    if (m_Port.write(m_Output.mid(qMax<qint64>(written, 0))) > 0)
        m_Port.flush();
}

bool CSerialPortControl::FlushReply()
{
    if (!m_Collecting || !m_Port.isOpen())
        return false;
    // Bytes the device holds but whose notification is still queued belong to this reply.
    ReadPending();
    if (m_Collecting && m_ReplyLength == 0 && !m_Input.isEmpty())
        CompleteReply(m_Input);
    return m_ReplyDone;
}

void CSerialPortControl::ReadPending()
{
    if (!m_Port.isOpen())
        return;
    m_Port.waitForReadyRead(0);
    TakeInput();
}

void CSerialPortControl::OnReadyRead()
{
    TakeInput();
}

void CSerialPortControl::TakeInput()
{
    const QByteArray bytes = m_Port.readAll();
    if (bytes.isEmpty())
        return;
    m_LastInput.start();
    m_Input += bytes;
    if (!m_Collecting)
        return;
    if (m_ReplyLength > 0 && m_Input.size() >= m_ReplyLength)
        CompleteReply(m_Input.left(m_ReplyLength));
    else if (m_ReplyLength == 0 && m_Input.size() >= kTextReplyCap)
        CompleteReply(m_Input.left(kTextReplyCap));
    else if (m_ReplyComplete && m_ReplyComplete(m_Input))
        CompleteReply(m_Input);
}

void CSerialPortControl::CompleteReply(const QByteArray &reply)
{
    m_Collecting = false;
    m_ReplyDone = true;
    m_Received = reply;
    m_Input.remove(0, reply.size());
    Q_EMIT CommStatus(sscReplyComplete, qint32(reply.size()));
}

void CSerialPortControl::OnPortError(QSerialPort::SerialPortError error)
{
    const QString text = m_Port.errorString();
    qint32 code = sscUnknownError;
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::UnsupportedOperationError: // control lines of a pseudo-terminal, for one
    case QSerialPort::TimeoutError:
    case QSerialPort::DeviceNotFoundError: // the failed open itself reads back as PortOpen() false
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
    case QSerialPort::NotOpenError:
        return;
    case QSerialPort::WriteError:
        code = sscWriteError;
        break;
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
        // A device that has gone keeps failing every read in a tight loop: close it, so the
        // line fault is reported once and the program stays responsive.
        code = error == QSerialPort::ReadError ? sscReadError : sscLineLost;
        NoteLineLost();
        m_Port.clearError();
        m_Collecting = false;
        m_Port.close();
        break;
    default:
        break;
    }
    m_Port.clearError();
    Q_EMIT CommStatus(code, text);
}

} // namespace Platform
