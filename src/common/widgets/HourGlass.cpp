#include "common/widgets/HourGlass.h"

#include "common/Error.h"
#include "common/TraceCode.h"
#include "common/Utility.h"

namespace {

struct HourGlassState
{
    QCursor saved;
    bool hadOwnCursor = false;
    bool on = false;
};

HourGlassState &State()
{
    static HourGlassState state;
    return state;
}

} // namespace

void HourGlass(QObject *target)
{
    HourGlassState &state = State();
    state.on = !state.on;
    auto *widget = qobject_cast<QWidget *>(target);
    if (widget == nullptr)
        RaiseUtilityError(kUtilityErrorHourGlass);
    if (state.on) {
        state.hadOwnCursor = widget->testAttribute(Qt::WA_SetCursor);
        state.saved = widget->cursor();
        widget->setCursor(Qt::WaitCursor);
    } else if (state.hadOwnCursor) {
        widget->setCursor(state.saved);
    } else {
        widget->unsetCursor();
    }
}

CHourGlassGuard::CHourGlassGuard(QWidget *target) : m_Target(target)
{
    try {
        HourGlass(target);
    } catch (const CError &) {
        // No hourglass was shown, so the switch must not stay flipped either.
        State().on = !State().on;
        throw;
    }
}

CHourGlassGuard::~CHourGlassGuard()
{
    try {
        HourGlass(m_Target.data());
    } catch (const CError &error) {
        // The window went away during the command: nothing is left to restore.
        g_Trace->BugMessage(error.Description());
    }
}
