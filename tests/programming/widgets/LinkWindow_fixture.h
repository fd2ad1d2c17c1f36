#pragma once

#include "../link/Link_fixture.h"
#include "common/ResString.h"
#include "programming/widgets/LinkMessageBox.h"

#include <QDialog>
#include <QList>

#include <algorithm>

// Takes the link windows' message boxes instead of showing them, for one test.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        SetLinkMessageBox([this](QWidget *, const CLinkMessage &message) { m_Shown.append(message); });
    }
    ~MessageRecorder() { SetLinkMessageBox({}); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    const QList<CLinkMessage> &Shown() const { return m_Shown; }
    // The string-table ids of the texts shown, in order; 0 for a text the table lacks.
    QList<int> Ids() const
    {
        QList<int> ids;
        for (const CLinkMessage &message : m_Shown)
            ids.append(StringTable().key(message.Text, 0));
        return ids;
    }
    // Every message so far was a link message: exclamation icon, title 208.
    bool AllLinkMessages() const
    {
        return std::all_of(m_Shown.begin(), m_Shown.end(), [](const CLinkMessage &message) {
            return message.Icon == QMessageBox::Warning && message.Title == LoadResString(208);
        });
    }

private:
    QList<CLinkMessage> m_Shown;
};

// Something that ends a transfer half-way, and the string id of the message it brings (0: none).
struct LinkFault
{
    const char *what;
    friend void PrintTo(const LinkFault &c, std::ostream *os) { *os << c.what; }
    std::function<void(QDialog &, InstrumentSimulator &)> fail;
    int messageId;
};

// The link errors every window tells alike; the time-out costs three 3 s waits.
inline const LinkFault kLinkErrors[] = {
    {"line error", [](QDialog &, InstrumentSimulator &line) { line.HangUp(); }, 206},
    {"CRC error",
     [](QDialog &, InstrumentSimulator &line) { line.InjectFault(SimFault::BadCrc, line.kAlways); }, 215},
    {"time-out",
     [](QDialog &, InstrumentSimulator &line) { line.InjectFault(SimFault::Silence, line.kAlways); }, 207},
};
