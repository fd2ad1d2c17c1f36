#pragma once

#include "model/Configuration.h"
#include "model/ModuleCodes.h"
#include "programming/memmap/ConfigurationSettings.h"
#include "programming/memmap/MemMapFactory.h"
#include "support/Model_fixture.h"
#include "support/SettingStore_fixture.h"

// The module code of a model IXO with the slot-A module slotA, Z8/Z9 relays and the bits of
// `more`: IxoCode(SlotAModule::QEM) is 0xCC0F.
inline constexpr qint16 IxoCode(qint16 slotA, quint16 more = 0)
{
    return qint16(ModuleCodeBits::ModelIXO | quint16(slotA) << ModuleCodeBits::SlotAShift |
                  ModuleCodeBits::RelayZ8Z9 | more);
}

// The settings of FillDistinct(store) in a 2000-count model whose name needs Windows-1252.
inline void FillDistinct(CConfiguration &configuration, MemMap::EFamily family)
{
    CConfigurationSettings settings(configuration, family);
    FillDistinct(settings);
    configuration.ModInstr().SetNomeProgramma(QStringLiteral("Pressa – linea “2”"));
    configuration.ModInstr().SetModelloStrumento(2);
    configuration.ModInstr().SetSlotA(family == MemMap::EFamily::QEM ? 3 : 2);
    configuration.ModInstr().SetSlotB(1);
}

// A new archived configuration of the family, every setting distinct.
inline qint32 AddDistinct(MemMap::EFamily family)
{
    CConfiguration configuration;
    FillDistinct(configuration, family);
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);
    return id;
}

// The module code word of archived configuration id.
inline qint16 StoredCode(qint64 id)
{
    CConfiguration configuration;
    configuration.Load(id);
    return configuration.ModInstr().CodificaModuli();
}

// The manager of a module code word, working on configuration `id`.
inline std::unique_ptr<CMemMapManager> ManagerFor(qint16 code, qint32 id)
{
    auto manager = MakeMemMapManager(code);
    manager->SetIDProgramma(id);
    manager->SetCodificaModuli(code);
    return manager;
}

// The image configuration `id` makes under module code `code`.
inline QVector<qint16> ImageWords(qint16 code, qint32 id)
{
    const auto manager = ManagerFor(code, id);
    manager->ConvertUserSetupToMemoryMap();
    QVector<qint16> words;
    for (int i = 0; i < manager->WordCount(); ++i)
        words.append(manager->Word(i));
    return words;
}

// Values of archived configuration id that the images carry, setting by setting, for the family.
inline QStringList CarriedValues(qint64 id, MemMap::EFamily family)
{
    CConfiguration configuration;
    configuration.Load(id);
    CConfigurationSettings settings(configuration, family);
    QStringList values;
    for (const MemMap::CImageWord &w : MemMap::ImageLayout(family)) {
        values.append(QStringLiteral("%1=%2").arg(w.Index).arg(settings.Value(w.Setting, w.Item)));
        if (w.Setting == MemMap::ESetting::IntegrationTime)
            values.append(QStringLiteral("IntTime=%1").arg(settings.Value(MemMap::ESetting::IntTime, 0)));
    }
    return values;
}
