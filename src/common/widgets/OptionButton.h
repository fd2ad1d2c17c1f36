#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <initializer_list>

class QRadioButton;
class QWidget;

// The option buttons of one frame as one value: the index of the checked button, indices in
// the order the buttons are added (at most 16). Change comes whenever a button becomes
// checked, by the user or by the program; ChangeValidate when the focus leaves the group with
// another button checked than before (Cancel puts the focus back on the old button).
// Disabling the checked button moves the check to the enabled buttons in index order, so the
// last enabled one ends up checked.
// Tab into the group gives the focus to the checked button.
// An index that no button has (it may come from an instrument or a file) checks nothing and
// is kept: Value hands it back unchanged until a button is checked.
class COptionButton : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxButtons = 16;

    explicit COptionButton(QObject *parent = nullptr);

    void Create(QWidget *frm);
    void AddOptionButton(QRadioButton *ob);
    // Create and AddOptionButton in one: the frame and its buttons in index order.
    void Create(QWidget *frm, std::initializer_list<QRadioButton *> buttons);
    void Activate(qint16 index, bool bEnabled);
    void ActivateGroup(bool bEnabled);
    // The first checked button's index; with none checked, the last index set or read.
    qint16 Value();
    void SetValue(qint16 index);

Q_SIGNALS:
    void Change();
    void ChangeValidate(bool &Cancel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ReadValue();
    // Tab and Shift+Tab into the group land on the checked button.
    void UpdateTabStop();
    void UncheckAll();

    QPointer<QWidget> m_Frame;
    QList<QPointer<QRadioButton>> m_Buttons;
    qint16 m_Value = 0;
};
