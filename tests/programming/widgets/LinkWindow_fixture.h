#pragma once

#include "../link/Link_fixture.h"
#include "common/ResString.h"
#include "programming/widgets/LinkMessageBox.h"

#include <QList>
#include <QTimer>

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
        for (const CLinkMessage &message : m_Shown)
            if (message.Icon != QMessageBox::Warning || message.Title != LoadResString(208))
                return false;
        return true;
    }

private:
    QList<CLinkMessage> m_Shown;
};

// Runs `action` on the window `afterMs` after its work has begun, as the user would.
inline void Later(QObject *window, int afterMs, std::function<void()> action)
{
    QTimer::singleShot(afterMs, window, std::move(action));
}
