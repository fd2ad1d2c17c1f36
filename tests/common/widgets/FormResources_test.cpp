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

template <typename Control> Control *Tagged(QWidget *form, const char *tag)
{
    auto *control = new Control(form);
    control->setProperty(kTagProperty, tag);
    return control;
}

// A tagged label, frame, option or check box takes its caption; a text box, a missing or an
// unknown number keeps the designed text.
TEST(FormResources, CaptionsComeFromTheTableByTag)
{
    QWidget form;
    form.setProperty(kTagProperty, "262");
    auto *frame = Tagged<QGroupBox>(&form, "383");
    const std::pair<QAbstractButton *, QString> buttons[] = {
        {Tagged<QRadioButton>(&form, "1011"), LoadResString(1011)},
        {Tagged<QCheckBox>(&form, "199"), "design"}};
    const std::pair<QObject *, QString> texts[] = {{Tagged<QLabel>(&form, "540"), LoadResString(540)},
                                                   {Tagged<QLabel>(&form, ""), "design"},
                                                   {Tagged<QLabel>(&form, "abc"), "design"},
                                                   {Tagged<QLineEdit>(&form, "540"), "design"}};
    for (const auto &[control, expected] : texts)
        control->setProperty("text", "design");
    for (const auto &[control, expected] : buttons)
        control->setText("design");
    LoadCaptionResources(&form);
    EXPECT_EQ(form.windowTitle(), LoadResString(262));
    EXPECT_EQ(frame->title(), LoadResString(383));
    for (const auto &[control, expected] : texts)
        EXPECT_EQ(control->property("text").toString(), expected) << control->metaObject()->className();
    for (const auto &[control, expected] : buttons)
        EXPECT_EQ(control->text(), expected) << control->metaObject()->className();
}

TEST(FormResources, NumericToolTipsComeFromTheTable)
{
    QWidget form;
    const std::tuple<QWidget *, const char *, QString> cases[] = {
        {new QLineEdit(&form), "262", LoadResString(262)},
        {new QLineEdit(&form), "", ""},
        {new QLineEdit(&form), "540 range", LoadResString(540)},
        {new UpDownControl(&form), "383", LoadResString(383)},
        {new QGroupBox(&form), "abc", "abc"},
        {new QRadioButton(&form), "199", "199"},
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
