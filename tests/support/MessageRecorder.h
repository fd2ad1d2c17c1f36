#pragma once

#include "common/ResString.h"
#include "common/widgets/MessageBox.h"

#include <QList>

#include <functional>

// Takes the message boxes of one test instead of showing them, answering each with the
// next of the given buttons (the last one again when they run out; Ok when none is given).
class MessageRecorder
{
public:
    explicit MessageRecorder(QList<QMessageBox::StandardButton> answers = {QMessageBox::Ok})
        : m_Answers(std::move(answers))
    {
        SetMessageBox([this](QWidget *, const CMessage &message) {
            m_Shown.append(message);
            if (WhenShown)
                WhenShown(message);
            return m_Answers.size() > 1 ? m_Answers.takeFirst() : m_Answers.value(0, QMessageBox::Ok);
        });
    }
    ~MessageRecorder() { SetMessageBox({}); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    // What the test does while a box is up, before it is answered.
    std::function<void(const CMessage &)> WhenShown;
    void SetAnswers(QList<QMessageBox::StandardButton> answers) { m_Answers = std::move(answers); }
    const QList<CMessage> &Shown() const { return m_Shown; }
    // The string-table ids of the texts shown, in order; 0 for a text the table lacks.
    QList<int> Ids() const
    {
        QList<int> ids;
        for (const CMessage &message : m_Shown)
            ids.append(StringTable().key(message.Text, 0));
        return ids;
    }
    // The messages from the `from`th on as "<icon number> <text>", with the title before the text
    // when `titled`: "3 IxoSoft.Prova Archivio occupato".
    QStringList Lines(bool titled = false, qsizetype from = 0) const
    {
        QStringList lines;
        for (const CMessage &m : m_Shown.mid(from))
            lines << QString::number(m.Icon) + ' ' + (titled ? m.Title + ' ' : QString()) + m.Text;
        return lines;
    }

private:
    QList<QMessageBox::StandardButton> m_Answers;
    QList<CMessage> m_Shown;
};
