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

template <typename Control> static QWidget *Designed(QWidget *form, const char *tag)
{
    auto *control = new Control(form);
    control->setProperty(kTagProperty, tag);
    control->setProperty("text", "design");
    return control;
}

// A tagged label, option or check box takes its caption; a text box, a missing or an unknown
// number keeps the designed text. A tooltip that starts with a number is replaced, on the
// controls that carry one.
TEST(FormResources, CaptionsAndToolTipsComeFromTheTableByNumber)
{
    QWidget form;
    form.setProperty(kTagProperty, "262");
    auto *frame = new QGroupBox(&form);
    frame->setProperty(kTagProperty, "383");
    const std::pair<QWidget *, QString> captions[] = {
        {Designed<QLabel>(&form, "540"), LoadResString(540)},
        {Designed<QRadioButton>(&form, "1011"), LoadResString(1011)},
        {Designed<QCheckBox>(&form, "199"), "design"},
        {Designed<QLabel>(&form, "abc"), "design"},
        {Designed<QLineEdit>(&form, "540"), "design"},
    };
    const std::tuple<QWidget *, const char *, QString> tips[] = {
        {new QLineEdit(&form), "540 range", LoadResString(540)},
        {new UpDownControl(&form), "383", LoadResString(383)},
        {new QGroupBox(&form), "abc", "abc"},
        {new QLabel(&form), "262", "262"},
    };
    for (const auto &[control, designed, expected] : tips)
        control->setToolTip(designed);
    LoadCaptionResources(&form);
    LoadToolTipResources(&form);
    EXPECT_EQ(form.windowTitle() + "|" + frame->title(), LoadResString(262) + "|" + LoadResString(383));
    for (const auto &[control, expected] : captions)
        EXPECT_EQ(control->property("text").toString(), expected) << control->metaObject()->className();
    for (const auto &[control, designed, expected] : tips)
        EXPECT_EQ(control->toolTip(), expected) << designed << " on " << control->metaObject()->className();
}

TEST(FormResources, MenuTextsComeFromTheTableAndKeepTheirNumbers)
{
    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu("1000");
    QAction *open = file->addAction("1011");
    QAction *fixed = file->addAction("Fixed");
    QAction *print = file->addAction("1006\tCtrl+P");
    LoadMenuResources(&window);
    EXPECT_EQ(
        QStringList({file->title(), open->text(), fixed->text(), print->text()}),
        QStringList({LoadResString(1000), LoadResString(1011), "Fixed", LoadResString(1006) + "\tCtrl+P"}));
    EXPECT_EQ(open->property(kTagProperty).toInt(), 1011);
}
