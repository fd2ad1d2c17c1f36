#include "app/widgets/AppImages.h"

// The pictures are compiled into this library's resources.
static void InitAppImages()
{
    Q_INIT_RESOURCE(app_widgets);
}

QPixmap AppImage(const QString &name)
{
    static const bool initialised = [] {
        InitAppImages();
        return true;
    }();
    Q_UNUSED(initialised);
    return QPixmap(QStringLiteral(":/app/images/") + name + QStringLiteral(".svg"));
}
