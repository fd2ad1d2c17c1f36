#pragma once

#include <QString>

#include <array>

// What the live view shows of one instrument: the measured value as text, the four alarm
// states and the display state, decoded from one poll (value in counts, status word and
// decimal point):
//   DecodeLiveValue(1234, 0x0000, 2) -> "12.34", no alarm, dsNormal
//   DecodeLiveValue(  -5, 0x0001, 1) -> "-0.5", alarm 1, dsNormal
//   DecodeLiveValue(  99, 0x0060, 0) -> "-EEEE", dsNegativeOverRange
//   DecodeLiveValue(  99, 0x0010, 0) -> "99", dsStateFlag
// The number is in the user's locale. A decimal point outside 0-3 shows the bare count and
// writes a trace line.
struct CLiveValue
{
    enum DisplayStates : qint32 {
        dsNormal = 0,
        dsStateFlag = 1,         // status bit 4
        dsOverRange = 2,         // status bit 5: "EEEE"
        dsNegativeOverRange = 3, // status bits 5 and 6: "-EEEE"
    };

    QString VariableValue;
    std::array<bool, 4> AlarmStatus{};
    qint32 DisplayState = dsNormal;

    // An instrument that gave no value (silent, or refusing the read): the text "Error", every
    // alarm off.
    static CLiveValue Error();
};

CLiveValue DecodeLiveValue(qint16 value, qint16 status, qint16 decimalPoint);
