-- The archive of configurations (IxoEkaProgram.db), version 2.
-- Each version's statements end with its "PRAGMA user_version": a new archive runs them all, an
-- archive of an older version those after its own.
-- One table per configuration object, named by its class name ("CAlarm1" to "CAlarm4" for the
-- four alarms), one row per configuration keyed by its archive id "IDProgramma". Every column
-- is the object's member of the same name, with the class default as its default.
-- Record 2 is the fixed "actual instrument setting" that an instrument read lands in: it is
-- in every table from the start, is never listed and is never deleted.

-- Hands out the archive ids: AUTOINCREMENT never gives an id twice, and the row of record 2
-- makes the first new id 3.
CREATE TABLE CounterProgrammi (IDProgramma INTEGER PRIMARY KEY AUTOINCREMENT);
INSERT INTO CounterProgrammi (IDProgramma) VALUES (2);

CREATE TABLE CModInstr (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_NomeProgramma TEXT NOT NULL DEFAULT 'Without name',
    m_ModelloStrumento INTEGER NOT NULL DEFAULT 1,
    m_SlotA INTEGER NOT NULL DEFAULT 0,
    m_SlotB INTEGER NOT NULL DEFAULT 0,
    m_SlotC INTEGER NOT NULL DEFAULT 0,
    m_SlotD INTEGER NOT NULL DEFAULT 0
);
-- The name of record 2 is the text of string 617.
INSERT INTO CModInstr (IDProgramma, m_NomeProgramma) VALUES (2, 'Actual instrument setting');

CREATE TABLE CRangeQEM (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_ProbeSelect INTEGER NOT NULL DEFAULT 0,
    m_CJC INTEGER NOT NULL DEFAULT 0,
    m_TempCJC INTEGER NOT NULL DEFAULT 0,
    m_Range INTEGER NOT NULL DEFAULT 0,
    m_DigitalInFunction INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CRangeQEM (IDProgramma) VALUES (2);

CREATE TABLE CRangeVABZOB (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_Range INTEGER NOT NULL DEFAULT 0,
    m_MeasureType INTEGER NOT NULL DEFAULT 0,
    m_IntegrationTime INTEGER NOT NULL DEFAULT 0,
    m_IntTime INTEGER NOT NULL DEFAULT 1000,
    m_DigitalInFunction INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CRangeVABZOB (IDProgramma) VALUES (2);

CREATE TABLE CInOutScale (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_MinElectricScale INTEGER NOT NULL DEFAULT 0,
    m_MaxElectricScale INTEGER NOT NULL DEFAULT 0,
    m_MeasureDigitalPoint INTEGER NOT NULL DEFAULT 0,
    m_MinMeasureScale INTEGER NOT NULL DEFAULT 0,
    m_MaxMeasureScale INTEGER NOT NULL DEFAULT 0,
    m_Linearizzazione INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CInOutScale (IDProgramma) VALUES (2);

CREATE TABLE CDisplay (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_DisplayDigit INTEGER NOT NULL DEFAULT 0,
    m_DisplayColor INTEGER NOT NULL DEFAULT 2,
    m_Password INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CDisplay (IDProgramma) VALUES (2);

CREATE TABLE CLinearize (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_NumSpezzate INTEGER NOT NULL DEFAULT 2,
    m_CoordinateIn00 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut00 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn01 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut01 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn02 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut02 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn03 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut03 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn04 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut04 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn05 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut05 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn06 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut06 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn07 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut07 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn08 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut08 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn09 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut09 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn10 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut10 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn11 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut11 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn12 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut12 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn13 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut13 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn14 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut14 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateIn15 INTEGER NOT NULL DEFAULT 0,
    m_CoordinateOut15 INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CLinearize (IDProgramma) VALUES (2);

CREATE TABLE CAnalogOut (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_MaxOut INTEGER NOT NULL DEFAULT 0,
    m_MinOut INTEGER NOT NULL DEFAULT 0,
    m_TypeSignalOut INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CAnalogOut (IDProgramma) VALUES (2);

CREATE TABLE CFiltroDigitale (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_Campo INTEGER NOT NULL DEFAULT 0,
    m_Coeff INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CFiltroDigitale (IDProgramma) VALUES (2);

CREATE TABLE CSerialComm (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_NetworkAdd INTEGER NOT NULL DEFAULT 1,
    m_BaudRate INTEGER NOT NULL DEFAULT 0
);
INSERT INTO CSerialComm (IDProgramma) VALUES (2);

CREATE TABLE CAlarm1 (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_MinAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_MaxAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_AlarmSetPoint INTEGER NOT NULL DEFAULT 0,
    m_Isteresi INTEGER NOT NULL DEFAULT 0,
    m_RitAttivazione INTEGER NOT NULL DEFAULT 0,
    m_RitDisattivazione INTEGER NOT NULL DEFAULT 0,
    m_AlarmType INTEGER NOT NULL DEFAULT 0,
    m_RelayStatus INTEGER NOT NULL DEFAULT 1,
    m_AlarmColor INTEGER NOT NULL DEFAULT 3
);
INSERT INTO CAlarm1 (IDProgramma) VALUES (2);

CREATE TABLE CAlarm2 (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_MinAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_MaxAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_AlarmSetPoint INTEGER NOT NULL DEFAULT 0,
    m_Isteresi INTEGER NOT NULL DEFAULT 0,
    m_RitAttivazione INTEGER NOT NULL DEFAULT 0,
    m_RitDisattivazione INTEGER NOT NULL DEFAULT 0,
    m_AlarmType INTEGER NOT NULL DEFAULT 0,
    m_RelayStatus INTEGER NOT NULL DEFAULT 1,
    m_AlarmColor INTEGER NOT NULL DEFAULT 3
);
INSERT INTO CAlarm2 (IDProgramma) VALUES (2);

CREATE TABLE CAlarm3 (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_MinAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_MaxAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_AlarmSetPoint INTEGER NOT NULL DEFAULT 0,
    m_Isteresi INTEGER NOT NULL DEFAULT 0,
    m_RitAttivazione INTEGER NOT NULL DEFAULT 0,
    m_RitDisattivazione INTEGER NOT NULL DEFAULT 0,
    m_AlarmType INTEGER NOT NULL DEFAULT 0,
    m_RelayStatus INTEGER NOT NULL DEFAULT 1,
    m_AlarmColor INTEGER NOT NULL DEFAULT 3
);
INSERT INTO CAlarm3 (IDProgramma) VALUES (2);

CREATE TABLE CAlarm4 (
    IDProgramma INTEGER NOT NULL PRIMARY KEY,
    m_MinAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_MaxAlarmScale INTEGER NOT NULL DEFAULT 0,
    m_AlarmSetPoint INTEGER NOT NULL DEFAULT 0,
    m_Isteresi INTEGER NOT NULL DEFAULT 0,
    m_RitAttivazione INTEGER NOT NULL DEFAULT 0,
    m_RitDisattivazione INTEGER NOT NULL DEFAULT 0,
    m_AlarmType INTEGER NOT NULL DEFAULT 0,
    m_RelayStatus INTEGER NOT NULL DEFAULT 1,
    m_AlarmColor INTEGER NOT NULL DEFAULT 3
);
INSERT INTO CAlarm4 (IDProgramma) VALUES (2);

-- The configurations the main window lists: every one but record 2.
CREATE VIEW Programmi AS
    SELECT IDProgramma, m_NomeProgramma FROM CModInstr WHERE IDProgramma <> 2;

PRAGMA user_version = 1;

-- Version 2: the list's order ("Programmi" by name, letter case aside, then by id) read straight
-- from an index that also holds the names, so no listing sorts the table.
CREATE INDEX CModInstr_Programmi ON CModInstr (m_NomeProgramma COLLATE NOCASE);

PRAGMA user_version = 2;
