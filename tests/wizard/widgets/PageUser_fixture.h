#pragma once

#include "../FakePage_fixture.h"
#include "PageScript_fixture.h"
#include "common/ResString.h"
#include "model/ScaleTables.h"
#include "platform/widgets/UpDownControl.h"
#include "support/MessageRecorder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

// The user of one shown page: controls by the names its form gives them, a key press in a spin
// edit's text box steps it once by its slow step. Show shows it as the engine shows a middle
// page of a run (the last one with `last`); Leave presses a button whose page must pass its
// check, so a refusal fails the test instead of waiting for a message box.
class CPageUser
{
public:
    explicit CPageUser(CWizardPage &page) : m_Page(page) {}

    void Show(const ICopyClass &data, bool last = false)
    {
        InitGlobalScale();
        m_Page.SetData(data);
        m_Page.SetLastTab(last);
        m_Page.show();
    }
    void Leave(qint32 button)
    {
        MessageRecorder messages;
        Press(m_Page, button);
        EXPECT_EQ(messages.Ids(), QList<int>{});
        EXPECT_FALSE(m_Page.isVisible());
    }
    template <class DataClass> DataClass Left() const
    {
        DataClass data;
        m_Page.GetData(data);
        return data;
    }
    QLineEdit *Box(const QString &name) const { return m_Page.findChild<QLineEdit *>(name); }
    QString Shown(const QString &box) const { return Box(box)->text(); }
    void Key(const QString &box, Qt::Key key) const { QTest::keyClick(Box(box), key); }
    UpDownControl *Arrows(const QString &name) const { return m_Page.findChild<UpDownControl *>(name); }
    int Arrow(const QString &arrows) const { return Arrows(arrows)->Value(); }
    std::pair<int, int> Limits(const QString &arrows) const
    {
        return {Arrows(arrows)->Minimum(), Arrows(arrows)->Maximum()};
    }
    void Pick(const QString &combo, int index) const
    {
        m_Page.findChild<QComboBox *>(combo)->setCurrentIndex(index);
    }
    void Click(const QString &option) const { m_Page.findChild<QRadioButton *>(option)->click(); }
    bool Checked(const QString &option) const
    {
        return m_Page.findChild<QRadioButton *>(option)->isChecked();
    }
    bool Enabled(const QString &name) const { return m_Page.findChild<QWidget *>(name)->isEnabled(); }

    // Every caption comes from the string table by the number its control carries:
    //   ExpectCaptions("lblTitle:490 ElettricScale:480")
    void ExpectCaptions(const QString &captions) const
    {
        for (const QString &caption : captions.split(QLatin1Char(' '))) {
            const QWidget *control = m_Page.findChild<QWidget *>(caption.section(QLatin1Char(':'), 0, 0));
            const QVariant text = control->property(control->inherits("QGroupBox") ? "title" : "text");
            EXPECT_EQ(text.toString(), LoadResString(caption.section(QLatin1Char(':'), 1).toInt()));
        }
    }

private:
    CWizardPage &m_Page;
};

// A refused page: one critical message with OK.
inline void ExpectRefusedWith(const MessageRecorder &messages, int id)
{
    ASSERT_EQ(messages.Ids(), QList<int>{id});
    EXPECT_EQ(messages.Shown()[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(messages.Shown()[0].Buttons, QMessageBox::Ok);
}
