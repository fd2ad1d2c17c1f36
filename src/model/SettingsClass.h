#pragma once

#include "common/CopyClass.h"

// The shape of the settings classes: their values live in the per-user settings store under
// the class name (whatever section a caller names), and they copy only to and from an object of their own
// class (equal names, the rule of ICopyClass). Derived provides static Copy(const Derived &from, Derived
// &to).
template <class Derived> class CSettingsClass : public ICopyClass
{
public:
    QString SettingsSection(const QString &) const override { return ClassName(); }

    void GetData(ICopyClass &other) const
    {
        if (auto *to = dynamic_cast<Derived *>(&other); to && VerifySameClass(other, *this))
            Derived::Copy(static_cast<const Derived &>(*this), *to);
    }
    void SetData(const ICopyClass &other)
    {
        if (const auto *from = dynamic_cast<const Derived *>(&other); from && VerifySameClass(other, *this))
            Derived::Copy(*from, static_cast<Derived &>(*this));
    }
};

// Loads one 16-bit value of a settings class from its section. A missing key keeps the member
// as it is; a stored value outside minimum..maximum gives the class default back, with a trace
// line, so a hand-edited store never reaches a link window.
//   store m_ComPort=7, range 0..3, default 1 -> member 1, trace "Valore fuori intervallo ..."
void LoadRangedSetting(ICopyClass &owner, const QString &key, qint16 &member, qint16 minimum, qint16 maximum,
                       qint16 classDefault);
