#include "programming/memmap/ConfigurationSettings.h"

#include "model/Configuration.h"

#include <functional>

using MemMap::ESetting;

namespace {

struct CAccess
{
    std::function<qint16()> Get;
    std::function<void(qint16)> Set;
};

template <typename T> CAccess Bind(T &object, qint16 (T::*get)() const, void (T::*set)(qint16))
{
    return {[&object, get] { return (object.*get)(); }, [&object, set](qint16 v) { (object.*set)(v); }};
}

CAccess AccessOf(CConfiguration &c, MemMap::EFamily family, ESetting setting, int item)
{
    const bool qem = family == MemMap::EFamily::QEM;
    CRangeQEM &qemRange = c.RangeQEM();
    CRangeVABZOB &vabRange = c.RangeVABZOB();
    CInOutScale &scale = c.InOutScale();
    switch (setting) {
    case ESetting::Password:
        return Bind(c.Display(), &CDisplay::Password, &CDisplay::SetPassword);
    case ESetting::Range:
        return qem ? Bind(qemRange, &CRangeQEM::Range, &CRangeQEM::SetRange)
                   : Bind(vabRange, &CRangeVABZOB::Range, &CRangeVABZOB::SetRange);
    case ESetting::MeasureType:
        return Bind(vabRange, &CRangeVABZOB::MeasureType, &CRangeVABZOB::SetMeasureType);
    case ESetting::ProbeSelect:
        return Bind(qemRange, &CRangeQEM::ProbeSelect, &CRangeQEM::SetProbeSelect);
    case ESetting::IntegrationTime:
        return Bind(vabRange, &CRangeVABZOB::IntegrationTime, &CRangeVABZOB::SetIntegrationTime);
    case ESetting::IntTime:
        return Bind(vabRange, &CRangeVABZOB::IntTime, &CRangeVABZOB::SetIntTime);
    case ESetting::CJC:
        return Bind(qemRange, &CRangeQEM::CJC, &CRangeQEM::SetCJC);
    case ESetting::DisplayDigit:
        return Bind(c.Display(), &CDisplay::DisplayDigit, &CDisplay::SetDisplayDigit);
    case ESetting::DisplayColor:
        return Bind(c.Display(), &CDisplay::DisplayColor, &CDisplay::SetDisplayColor);
    case ESetting::MinElectricScale:
        return Bind(scale, &CInOutScale::MinElectricScale, &CInOutScale::SetMinElectricScale);
    case ESetting::MaxElectricScale:
        return Bind(scale, &CInOutScale::MaxElectricScale, &CInOutScale::SetMaxElectricScale);
    case ESetting::MeasureDigitalPoint:
        return Bind(scale, &CInOutScale::MeasureDigitalPoint, &CInOutScale::SetMeasureDigitalPoint);
    case ESetting::MinMeasureScale:
        return Bind(scale, &CInOutScale::MinMeasureScale, &CInOutScale::SetMinMeasureScale);
    case ESetting::MaxMeasureScale:
        return Bind(scale, &CInOutScale::MaxMeasureScale, &CInOutScale::SetMaxMeasureScale);
    case ESetting::Linearizzazione:
        return Bind(scale, &CInOutScale::Linearizzazione, &CInOutScale::SetLinearizzazione);
    case ESetting::NumSpezzate:
        return Bind(c.Linearize(), &CLinearize::NumSpezzate, &CLinearize::SetNumSpezzate);
    case ESetting::CoordinateIn: {
        CLinearize &l = c.Linearize();
        return {[&l, item] { return l.CoordinateIn(item); },
                [&l, item](qint16 v) { l.SetCoordinateIn(item, v); }};
    }
    case ESetting::CoordinateOut: {
        CLinearize &l = c.Linearize();
        return {[&l, item] { return l.CoordinateOut(item); },
                [&l, item](qint16 v) { l.SetCoordinateOut(item, v); }};
    }
    case ESetting::MinAlarmScale:
        return Bind(c.Alarm(item), &CAlarm::MinAlarmScale, &CAlarm::SetMinAlarmScale);
    case ESetting::MaxAlarmScale:
        return Bind(c.Alarm(item), &CAlarm::MaxAlarmScale, &CAlarm::SetMaxAlarmScale);
    case ESetting::AlarmSetPoint:
        return Bind(c.Alarm(item), &CAlarm::AlarmSetPoint, &CAlarm::SetAlarmSetPoint);
    case ESetting::Isteresi:
        return Bind(c.Alarm(item), &CAlarm::Isteresi, &CAlarm::SetIsteresi);
    case ESetting::RitDisattivazione:
        return Bind(c.Alarm(item), &CAlarm::RitDisattivazione, &CAlarm::SetRitDisattivazione);
    case ESetting::RitAttivazione:
        return Bind(c.Alarm(item), &CAlarm::RitAttivazione, &CAlarm::SetRitAttivazione);
    case ESetting::RelayStatus:
        return Bind(c.Alarm(item), &CAlarm::RelayStatus, &CAlarm::SetRelayStatus);
    case ESetting::AlarmType:
        return Bind(c.Alarm(item), &CAlarm::AlarmType, &CAlarm::SetAlarmType);
    case ESetting::AlarmColor:
        return Bind(c.Alarm(item), &CAlarm::AlarmColor, &CAlarm::SetAlarmColor);
    case ESetting::Campo:
        return Bind(c.FiltroDigitale(), &CFiltroDigitale::Campo, &CFiltroDigitale::SetCampo);
    case ESetting::Coeff:
        return Bind(c.FiltroDigitale(), &CFiltroDigitale::Coeff, &CFiltroDigitale::SetCoeff);
    case ESetting::MinOut:
        return Bind(c.AnalogOut(), &CAnalogOut::MinOut, &CAnalogOut::SetMinOut);
    case ESetting::MaxOut:
        return Bind(c.AnalogOut(), &CAnalogOut::MaxOut, &CAnalogOut::SetMaxOut);
    case ESetting::TypeSignalOut:
        return Bind(c.AnalogOut(), &CAnalogOut::TypeSignalOut, &CAnalogOut::SetTypeSignalOut);
    case ESetting::NetworkAdd:
        return Bind(c.SerialComm(), &CSerialComm::NetworkAdd, &CSerialComm::SetNetworkAdd);
    case ESetting::BaudRate:
        return Bind(c.SerialComm(), &CSerialComm::BaudRate, &CSerialComm::SetBaudRate);
    case ESetting::DigitalInFunction:
        return qem ? Bind(qemRange, &CRangeQEM::DigitalInFunction, &CRangeQEM::SetDigitalInFunction)
                   : Bind(vabRange, &CRangeVABZOB::DigitalInFunction, &CRangeVABZOB::SetDigitalInFunction);
    case ESetting::TempCJC:
        return Bind(qemRange, &CRangeQEM::TempCJC, &CRangeQEM::SetTempCJC);
    case ESetting::SlotC:
        return Bind(c.ModInstr(), &CModInstr::SlotC, &CModInstr::SetSlotC);
    }
    Q_UNREACHABLE();
}

} // namespace

CConfigurationSettings::CConfigurationSettings(CConfiguration &configuration, MemMap::EFamily family)
    : m_Configuration(configuration), m_Family(family)
{}

qint16 CConfigurationSettings::Value(ESetting setting, int item) const
{
    return AccessOf(m_Configuration, m_Family, setting, item).Get();
}

void CConfigurationSettings::SetValue(ESetting setting, int item, qint16 value)
{
    AccessOf(m_Configuration, m_Family, setting, item).Set(value);
}
