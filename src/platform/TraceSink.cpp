#include "platform/TraceSink.h"

namespace Platform {
namespace {

TraceSink &Sink()
{
    static TraceSink sink;
    return sink;
}

} // namespace

void SetTraceSink(TraceSink sink)
{
    Sink() = std::move(sink);
}

void Trace(const QString &line)
{
    if (Sink())
        Sink()(line);
}

} // namespace Platform
