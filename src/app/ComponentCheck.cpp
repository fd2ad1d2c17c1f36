#include "app/ComponentCheck.h"

#include "common/TraceCode.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <QLibrary>

namespace {

// A shared library of the given name and major version that the loader finds.
bool LibraryLoads(const QString &name, int version)
{
    QLibrary library(name, version);
    return library.load();
}

// A plug-in file of the given kind ("printsupport", ...) in one of Qt's plug-in folders.
bool PluginPresent(const QString &kind, const QString &fileStem)
{
    for (const QString &path : QCoreApplication::libraryPaths()) {
        const QDir folder(path + QLatin1Char('/') + kind);
        if (!folder.entryList({fileStem + QStringLiteral("*")}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

} // namespace

QList<CComponent> ComponentTable()
{
    return {
        {QStringLiteral("libQt6SerialPort.so.6 (Qt Serial Port, serial link)."),
         [] { return LibraryLoads(QStringLiteral("Qt6SerialPort"), 6); }},
        {QStringLiteral("libQt6PrintSupport.so.6 (Qt Print Support, printing)."),
         [] { return LibraryLoads(QStringLiteral("Qt6PrintSupport"), 6); }},
        {QStringLiteral("libcupsprintersupport.so (Qt printer list of the system)."),
         [] {
             return PluginPresent(QStringLiteral("printsupport"), QStringLiteral("libcupsprintersupport"));
         }},
        {QStringLiteral("libqsvg.so (Qt SVG image reader, toolbar and logo pictures)."),
         [] { return QImageReader::supportedImageFormats().contains("svg"); }},
    };
}

void CheckComponentRegistration(const QList<CComponent> &components)
{
    for (const CComponent &component : components) {
        if (!component.Registered())
            g_Trace->BugMessage(QStringLiteral("Non trovata la registrazione del componente ") +
                                component.Description);
    }
}
