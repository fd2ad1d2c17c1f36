#include "programming/memmap/ImageConversion.h"

namespace MemMap {

QList<qint16> BuildImage(const ISettingStore &store, EFamily family, const QList<qint16> &base)
{
    QList<qint16> words = base.size() == WordCount(family) ? base : QList<qint16>(WordCount(family), 0);
    for (const CImageWord &w : ImageLayout(family)) {
        switch (SettingRow(w.Setting).Code) {
        case EWordCode::Raw:
            words[w.Index] = store.Value(w.Setting, w.Item);
            break;
        case EWordCode::IntegrationTime:
            words[w.Index] =
                EncodeIntegrationTime(store.Value(w.Setting, 0), store.Value(ESetting::IntTime, 0));
            break;
        }
    }
    return words;
}

void ApplyImage(const QList<qint16> &words, EFamily family, ISettingStore &store)
{
    Q_ASSERT(words.size() == WordCount(family));
    for (const CImageWord &w : ImageLayout(family)) {
        switch (SettingRow(w.Setting).Code) {
        case EWordCode::Raw:
            store.SetValue(w.Setting, w.Item, words.at(w.Index));
            break;
        case EWordCode::IntegrationTime: {
            const CIntegrationTime time = DecodeIntegrationTime(words.at(w.Index));
            store.SetValue(w.Setting, 0, time.IntegrationTime);
            store.SetValue(ESetting::IntTime, 0, time.IntTime);
            break;
        }
        }
    }
}

std::optional<QString> ImageFault(const QList<qint16> &words, EFamily family)
{
    for (const CImageWord &w : ImageLayout(family)) {
        const std::optional<CBounds> bounds = SettingRow(w.Setting).Bounds;
        const qint16 value = words.value(w.Index);
        if (bounds && (value < bounds->Min || value > bounds->Max))
            return SettingName(w.Setting) + QLatin1Char('=') + QString::number(value);
    }
    return std::nullopt;
}

} // namespace MemMap
