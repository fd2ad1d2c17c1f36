#include "common/ResString.h"
#include "common/widgets/FormResources.h"
#include "platform/widgets/UpDownControl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

template <typename Control> Control *Tagged(QWidget *form, const char *tag, const QString &text = "design")
{
    auto *control = new Control(form);
    control->setProperty(kTagProperty, tag);
    if constexpr (std::is_same_v<Control, QGroupBox>)
        control->setTitle(text);
    else
        control->setText(text);
    return control;
}

TEST(FormResources, CaptionsComeFromTheTableByTag)
{
    QWidget form;
    form.setProperty(kTagProperty, "262");
    QLabel *label = Tagged<QLabel>(&form, "540");
    QLabel *untagged = Tagged<QLabel>(&form, "");
    QLabel *unknown = Tagged<QLabel>(&form, "199");
    QLabel *notNumber = Tagged<QLabel>(&form, "abc");
    QGroupBox *frame = Tagged<QGroupBox>(&form, "383");
    QRadioButton *option = Tagged<QRadioButton>(&form, "1011");
    QCheckBox *check = Tagged<QCheckBox>(&form, "1006");
    QLineEdit *edit = Tagged<QLineEdit>(&form, "540"); // a text box has no caption
    LoadCaptionResources(&form);
    EXPECT_EQ(form.windowTitle(), LoadResString(262));
    EXPECT_EQ(label->text(), LoadResString(540));
    EXPECT_EQ(frame->title(), LoadResString(383));
    EXPECT_EQ(option->text(), LoadResString(1011));
    EXPECT_EQ(check->text(), LoadResString(1006));
    for (const QString &kept : {untagged->text(), unknown->text(), notNumber->text(), edit->text()})
        EXPECT_EQ(kept, "design");
}

TEST(FormResources, NumericToolTipsComeFromTheTable)
{
    QWidget form;
    struct Case
    {
        QWidget *control;
        const char *designed;
        QString expected;
    };
    const Case cases[] = {
        {new QLineEdit(&form), "262", LoadResString(262)},
        {new QLineEdit(&form), "0", "0"},
        {new QLineEdit(&form), "", ""},
        {new QLineEdit(&form), "540 range", LoadResString(540)},
        {new UpDownControl(&form), "383", LoadResString(383)},
        {new QGroupBox(&form), "abc", "abc"},
        {new QRadioButton(&form), "199", "199"},
        {new QLabel(&form), "262", "262"},
    };
    for (const Case &c : cases)
        c.control->setToolTip(c.designed);
    LoadToolTipResources(&form);
    for (const Case &c : cases)
        EXPECT_EQ(c.control->toolTip(), c.expected)
            << c.designed << " on " << c.control->metaObject()->className();
}

TEST(FormResources, MenuTextsComeFromTheTableAndKeepTheirNumbers)
{
    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu("1000");
    QAction *open = file->addAction("1011");
    QAction *separator = file->addSeparator();
    QAction *fixed = file->addAction("Fixed");
    LoadMenuResources(&window);
    EXPECT_EQ(file->title(), LoadResString(1000));
    EXPECT_EQ(open->text(), LoadResString(1011));
    EXPECT_EQ(open->property(kTagProperty).toInt(), 1011);
    EXPECT_TRUE(separator->text().isEmpty());
    EXPECT_EQ(fixed->text(), "Fixed");
}

} // namespace
