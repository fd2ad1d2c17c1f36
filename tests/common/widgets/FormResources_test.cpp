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

template <typename Control> QWidget *Designed(QWidget *form, const char *tag)
{
    auto *control = new Control(form);
    control->setProperty(kTagProperty, tag);
    control->setProperty("text", "design");
    return control;
}

// A tagged label, option or check box takes its caption; a text box, a missing or an unknown
// number keeps the designed text.
TEST(FormResources, CaptionsComeFromTheTableByTag)
{
    QWidget form;
    form.setProperty(kTagProperty, "262");
    auto *frame = new QGroupBox(&form);
    frame->setProperty(kTagProperty, "383");
    const std::pair<QWidget *, QString> cases[] = {
        {Designed<QLabel>(&form, "540"), LoadResString(540)},
        {Designed<QRadioButton>(&form, "1011"), LoadResString(1011)},
        {Designed<QCheckBox>(&form, "199"), "design"},
        {Designed<QLabel>(&form, "abc"), "design"},
        {Designed<QLineEdit>(&form, "540"), "design"},
    };
    LoadCaptionResources(&form);
    EXPECT_EQ(form.windowTitle(), LoadResString(262));
    EXPECT_EQ(frame->title(), LoadResString(383));
    for (const auto &[control, expected] : cases)
        EXPECT_EQ(control->property("text").toString(), expected) << control->metaObject()->className();
}

TEST(FormResources, NumericToolTipsComeFromTheTable)
{
    QWidget form;
    const std::tuple<QWidget *, const char *, QString> cases[] = {
        {new QLineEdit(&form), "540 range", LoadResString(540)},
        {new UpDownControl(&form), "383", LoadResString(383)},
        {new QGroupBox(&form), "abc", "abc"},
        {new QLabel(&form), "262", "262"},
    };
    for (const auto &[control, designed, expected] : cases)
        control->setToolTip(designed);
    LoadToolTipResources(&form);
    for (const auto &[control, designed, expected] : cases)
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
    EXPECT_EQ(file->title(), LoadResString(1000));
    EXPECT_EQ(open->text(), LoadResString(1011));
    EXPECT_EQ(open->property(kTagProperty).toInt(), 1011);
    EXPECT_EQ(fixed->text(), "Fixed");
    EXPECT_EQ(print->text(), LoadResString(1006) + "\tCtrl+P");
}

} // namespace
