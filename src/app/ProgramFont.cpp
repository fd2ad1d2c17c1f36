#include "app/ProgramFont.h"

#include "common/ResString.h"
#include "common/TraceCode.h"

#include <fontconfig/fontconfig.h>

namespace {

// An installed face of exactly this family.
bool Installed(const FcChar8 *family)
{
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, family);
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    const bool found = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

bool FontFamilyAvailable(const QString &family)
{
    if (family.trimmed().isEmpty() || !FcInit())
        return false;
    const QByteArray name = family.toUtf8();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    // The asked name comes first and binds strongly; the metric aliases of the configuration
    // follow it with the same binding, while the generic fallbacks (whatever the name) are weak.
    bool available = false;
    FcValue value;
    FcValueBinding binding;
    for (int i = 0;
         !available && FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch;
         ++i) {
        if (binding != FcValueBindingStrong)
            break;
        available = Installed(value.u.s);
    }
    FcPatternDestroy(pattern);
    return available;
}

void SetProgramFont(const FontCheck &available)
{
    g_Trace->BugMessage(QStringLiteral("Impostazione del font utilizzato nel programma."));
    bool sizeOk = false;
    const int size = LoadResString(1336).trimmed().toInt(&sizeOk);
    if (sizeOk && size > 0)
        g_Font.Size = size;
    const int names[] = {1335, 1337, 1338};
    for (const int id : names) {
        const QString name = LoadResString(id);
        if (available(name)) {
            g_Font.Name = name;
            return;
        }
        g_Trace->BugMessage(QStringLiteral("Impossibile caricare il font ") + name +
                            (id == names[2]
                                 ? QStringLiteral(" Viene mantenuto il font di default dei controlli")
                                 : QString()));
    }
    g_Font.Name.clear();
}
