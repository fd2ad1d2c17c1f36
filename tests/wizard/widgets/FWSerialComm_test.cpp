#include "ModulePages_fixture.h"
#include "common/ResString.h"
#include "model/SerialComm.h"
#include "wizard/widgets/FWSerialComm.h"

namespace {

Members Of(const CSerialComm &s)
{
    return {QStringLiteral("NetworkAdd=%1").arg(s.NetworkAdd()),
            QStringLiteral("BaudRate=%1").arg(s.BaudRate())};
}

CSerialComm Serial(qint16 address, qint16 baudRate)
{
    CSerialComm s;
    s.SetNetworkAdd(address);
    s.SetBaudRate(baudRate);
    return s;
}

// The address holds 1-255 in steps of 1, wrapping; the baud rate is the index of its option.
TEST(FWSerialComm, AddressLimitsBaudRateAndRoundTrip)
{
    const QList<PageVisit<CSerialComm>> visits = {
        {"default data", CSerialComm(), "",
         "lblTitle=" + LoadResString(356) + " | txtNetworkAdd=1 | BaudRate=0", kEnd, ""},
        {"wraps at 255", Serial(255, 0), "txtNetworkAdd+1", "txtNetworkAdd=1", kEnd, "NetworkAdd=1"},
        {"wraps at 1", Serial(1, 0), "txtNetworkAdd-1", "txtNetworkAdd=255", kEnd, "NetworkAdd=255"},
        {"held key: 1, then 10 from the 20th step", Serial(1, 0), "txtNetworkAdd^25", "txtNetworkAdd=80",
         kNext, "NetworkAdd=80"},
        {"stored 0", Serial(0, 1), "", "txtNetworkAdd=1 | BaudRate=1", kNext, "NetworkAdd=1"},
        {"stored above 255", Serial(300, 2), "", "txtNetworkAdd=255", kBack, "NetworkAdd=255"},
        {"38400", Serial(7, 0), "optBaudRate3", "BaudRate=3", kEnd, "BaudRate=3"},
        {"baud rate without option", Serial(7, 6), "", "BaudRate=none", kNext, ""},
        {"cancelled", Serial(7, 0), "optBaudRate2 txtNetworkAdd+1", "txtNetworkAdd=8", kCancel, ""},
        {"round trip", Serial(123, 2), "", "", kEnd, ""},
    };
    FWSerialComm page;
    Play(page, visits, Of);
}

} // namespace
