#pragma once

#include <QList>
#include <QString>

#include <functional>

// One part of the system that the program loads while it runs rather than when it starts: the
// archive's database driver, the serial-port and print-support modules, the image readers of
// its pictures. Description is the trace text.
struct CComponent
{
    QString Description;
    std::function<bool()> Registered;
};

// What this program needs, in the order it is checked.
QList<CComponent> ComponentTable();

// Writes "Non trovata la registrazione del componente <description>" for each component that
// is missing; start-up goes on whatever is missing (the archive, the serial link or printing
// then fails with its own message when used).
void CheckComponentRegistration(const QList<CComponent> &components = ComponentTable());
