#pragma once

#include <QString>

#include <functional>

// The platform layer lies below the program's trace log, so the log hands it a receiver for
// the few lines it has to write itself: a settings file refused while a port's device is
// looked up has no caller that could say so. Without a receiver the lines go nowhere.
namespace Platform {

using TraceSink = std::function<void(const QString &line)>;

void SetTraceSink(TraceSink sink);
void Trace(const QString &line);

} // namespace Platform
