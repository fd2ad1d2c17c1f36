#pragma once

#include <QString>

// Facts about the machine for the head of the trace log. Version, name and processor are
// read once when the object is made; memory figures, folders and names afresh at each call.
// Memory figures are in KB, computed in 64 bits and saturated to the 32-bit range, so a
// machine with more than 2 TB (or a 128 TB address space) reads 2147483647, never a
// wrapped negative number.
class CSystem
{
public:
    CSystem();

    bool IsWindows9x() const { return false; }
    bool IsWindowsNT() const { return true; }

    qint32 FreePhysicalMemory() const;
    qint32 TotalPhysicalMemory() const;
    qint32 FreeVirtualMemory() const;
    qint32 TotalVirtualMemory() const;
    qint32 FreePageFile() const;
    qint32 TotalPageFile() const;
    qint32 MemoryLoad() const;

    qint16 WinMajor() const { return m_Major; }
    qint16 WinMinor() const { return m_Minor; }
    QString Processor() const { return m_Processor; }
    QString ProcessorCount() const;
    QString OSName() const { return m_OSName; }
    QString WindowsDir() const;
    QString SystemDir() const;
    QString User() const;
    QString Machine() const;

    // KB figure from a byte count: truncated toward zero, saturated to 32 bits.
    static qint32 KiloBytes(qint64 bytes);

private:
    qint16 m_Major = 0;
    qint16 m_Minor = 0;
    QString m_OSName;
    QString m_Processor;
};
