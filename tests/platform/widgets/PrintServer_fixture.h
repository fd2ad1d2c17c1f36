#pragma once

#include "platform/widgets/PrinterCatalogue.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// No test reaches a real print system: the print system's library looks for a server that does
// not exist, or a test's own (PrintServer). The print system has a second to answer.
constexpr char kNoPrintServer[] = "/nonexistent/ixosoft-tests/cups.sock";
class CPrintEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("CUPS_SERVER", kNoPrintServer);
        Platform::SetPrintSystemAnswerTime(std::chrono::seconds(1));
    }
};
inline ::testing::Environment *const g_PrintEnvironment =
    ::testing::AddGlobalTestEnvironment(new CPrintEnvironment);

// One attribute of an IPP message: the tag of its group (1 operation, 2 job), its name, its
// values as they travel.
struct CIppAttribute
{
    int Group = 0;
    QByteArray Name;
    QList<QByteArray> Values;
};

// The attributes of an IPP message (version, operation or status, request id, then each group
// opened by its tag, each attribute a value tag, a name and a value with their 2-byte lengths,
// a nameless one a further value of the one before, 3 closing them) and where the data after
// them starts.
inline QList<CIppAttribute> IppAttributes(const QByteArray &message, qsizetype &dataStart)
{
    const auto length = [&](qsizetype at) { return (uchar(message[at]) << 8) | uchar(message[at + 1]); };
    QList<CIppAttribute> attributes;
    int group = 0;
    for (qsizetype at = 8; at < message.size();) {
        const int tag = uchar(message[at++]);
        if (tag == 3) {
            dataStart = at;
            return attributes;
        }
        if (tag < 0x10) {
            group = tag;
            continue;
        }
        if (at + 2 > message.size() || at + 2 + length(at) + 2 > message.size())
            break;
        const QByteArray name = message.mid(at + 2, length(at));
        at += 2 + name.size();
        const QByteArray value = message.mid(at + 2, length(at));
        at += 2 + length(at);
        if (name.isEmpty() && !attributes.isEmpty())
            attributes.last().Values.append(value);
        else
            attributes.append({group, name, {value}});
    }
    ADD_FAILURE() << "IPP message cut short: " << message.toHex().constData();
    return {};
}

// A print server at a socket of its own while it lives, named by CUPS_SERVER, on a thread of its
// own, so it goes on whatever the test's thread waits for:
//   Closed     none listening there;
//   Silent     takes connections and never answers;
//   Stalling   reads each request whole, then starts an answer it never ends, a byte at a time;
//   Answering  reads each request whole and answers it "successful-ok".
// Requests: the body of each request read whole. Connections: how many it took.
class PrintServer
{
public:
    enum EKind { Closed, Silent, Stalling, Answering };
    explicit PrintServer(bool listening) : PrintServer(listening ? Silent : Closed) {}
    explicit PrintServer(EKind kind) : m_Kind(kind)
    {
        const QByteArray path = QFile::encodeName(Path());
        if (kind != Closed) {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
            m_Socket = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
            EXPECT_TRUE(bind(m_Socket, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
                        listen(m_Socket, 16) == 0);
            m_Thread = std::thread([this] { Serve(); });
        }
        qputenv("CUPS_SERVER", path);
    }
    ~PrintServer()
    {
        qputenv("CUPS_SERVER", kNoPrintServer);
        m_Stop = true;
        if (m_Thread.joinable())
            m_Thread.join();
        GiveUp();
    }
    PrintServer(const PrintServer &) = delete;
    PrintServer &operator=(const PrintServer &) = delete;
    QString Path() const { return m_Folder.filePath("cups.sock"); }
    QList<QByteArray> Requests() const
    {
        const std::lock_guard lock(m_Mutex);
        return m_Requests;
    }
    // The server gives up at last: every connection closed, none taken any more.
    void GiveUp()
    {
        const std::lock_guard lock(m_Mutex);
        for (const CConnection &connection : m_Taken)
            close(connection.Socket);
        m_Taken.clear();
        if (m_Socket >= 0)
            close(m_Socket);
        m_Socket = -1;
        QFile::remove(Path());
    }

    std::atomic<int> Connections = 0;

private:
    struct CConnection
    {
        int Socket = -1;
        QByteArray Received;
        bool Continued = false;
        bool Stalled = false;
    };

    void Serve()
    {
        while (!m_Stop) {
            std::vector<pollfd> waits;
            {
                const std::lock_guard lock(m_Mutex);
                if (m_Socket >= 0)
                    waits.push_back({m_Socket, POLLIN, 0});
                for (const CConnection &connection : m_Taken)
                    waits.push_back({connection.Socket, POLLIN, 0});
            }
            // A stalling answer goes on at most this far apart, well within libcups' patience.
            poll(waits.data(), waits.size(), 50);
            const std::lock_guard lock(m_Mutex);
            for (int taken; m_Socket >= 0 && (taken = accept(m_Socket, nullptr, nullptr)) >= 0; ++Connections)
                m_Taken.append({taken, {}, false, false});
            for (auto connection = m_Taken.begin(); connection != m_Taken.end();) {
                char bytes[65536];
                ssize_t got;
                while ((got = recv(connection->Socket, bytes, sizeof bytes, MSG_DONTWAIT)) > 0)
                    connection->Received.append(bytes, got);
                // Closed by the client.
                if (got == 0) {
                    close(connection->Socket);
                    connection = m_Taken.erase(connection);
                    continue;
                }
                if (m_Kind == Stalling || m_Kind == Answering)
                    Answer(*connection);
                ++connection;
            }
        }
    }

    // Answers what of connection's requests has come whole.
    void Answer(CConnection &connection)
    {
        if (connection.Stalled) {
            Send(connection, "x");
            return;
        }
        const qsizetype headEnd = connection.Received.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QByteArray head = connection.Received.left(headEnd).toLower();
        if (head.contains("expect: 100-continue") && !connection.Continued) {
            Send(connection, "HTTP/1.1 100 Continue\r\n\r\n");
            connection.Continued = true;
        }
        const qsizetype lengthAt = head.indexOf("content-length:");
        const qsizetype length =
            lengthAt < 0 ? 0 : head.mid(lengthAt + 15).split('\r').first().trimmed().toLongLong();
        if (connection.Received.size() < headEnd + 4 + length)
            return;
        const QByteArray body = connection.Received.mid(headEnd + 4, length);
        connection.Received.remove(0, headEnd + 4 + length);
        connection.Continued = false;
        m_Requests.append(body);
        if (m_Kind == Stalling) {
            Send(connection, "HTTP/1.1 200 OK\r\nX-Stalling: ");
            connection.Stalled = true;
            return;
        }
        // successful-ok, the request's id, the charset and language every answer opens with.
        QByteArray ipp = QByteArray::fromHex("02000000") + body.mid(4, 4) + QByteArray::fromHex("01");
        for (const auto &[tag, name, value] : {std::tuple{"47", "attributes-charset", "utf-8"},
                                               std::tuple{"48", "attributes-natural-language", "en"}})
            ipp += QByteArray::fromHex(tag) + Sized(name) + Sized(value);
        ipp += QByteArray::fromHex("03");
        Send(connection, "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                             QByteArray::number(ipp.size()) + "\r\n\r\n" + ipp);
    }

    static QByteArray Sized(const QByteArray &text)
    {
        return QByteArray(1, char(text.size() >> 8)) + char(text.size() & 0xff) + text;
    }

    static void Send(const CConnection &connection, const QByteArray &bytes)
    {
        send(connection.Socket, bytes.constData(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    }

    const EKind m_Kind;
    QTemporaryDir m_Folder;
    mutable std::mutex m_Mutex;
    int m_Socket = -1;
    QList<CConnection> m_Taken;
    QList<QByteArray> m_Requests;
    std::atomic<bool> m_Stop = false;
    std::thread m_Thread;
};
