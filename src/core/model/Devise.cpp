#include "Devise.h"

#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

Devise Devise::copyOfDevise() const
{
    Devise d = *this;
    d.date = 0;
    return d;
}

const Devise* Devise::deviseAtIndex(const DeviseList& list, long index)
{
    if (index < 0 || index >= kDeviseSlotCount || index >= list.size())
        return nullptr;
    return &list[index];
}

QString Devise::deviseToString(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    if (!d) {
        svLog(QStringLiteral("Devise NULL (Devise deviseToString)"));
        return QStringLiteral("?");
    }
    return QStringLiteral("%1 (%2)").arg(d->fullName, d->unit);
}

double Devise::deviseConvertAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->convert : 1.0;
}

QString Devise::deviseUnitAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->unit : QString();
}

QString Devise::deviseFullNameAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->fullName : QString();
}

QString Devise::deviseTickerAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->ticker : QString();
}

bool Devise::deviseUsedAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d && d->used;
}

long Devise::deviseDecimalesAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->decimale : 2;
}

bool Devise::findDeviseWithUnit(const DeviseList& list, const QString& unit, long* index)
{
    for (long i = 0; i < kDeviseSlotCount; ++i) {
        const Devise* d = deviseAtIndex(list, i);
        if (d && d->used && d->unit == unit) {
            if (index)
                *index = i;
            return true;
        }
    }
    if (index)
        *index = kDeviseSlotCount;
    return false;
}

DeviseList Devise::copyOfDeviseArray(const DeviseList& list)
{
    DeviseList out;
    out.reserve(list.size());
    for (const Devise& d : list)
        out.append(d.copyOfDevise());
    return out;
}

DeviseList Devise::defaultDevises()
{
    DeviseList list;
    for (int slot = 0; slot < kDeviseSlotCount; ++slot) {
        Devise d;
        d.decimale = 2;
        if (slot == 0) {
            d.fullName = localizedMisc(QStringLiteral("kMisc_DeviseName1"));
            d.unit = localizedMisc(QStringLiteral("kMisc_DeviseAbrev1"));
            d.ticker = QStringLiteral("EUR");
            d.convert = 1.0;
            d.used = true;
        } else if (slot == 1) {
            d.fullName = localizedMisc(QStringLiteral("kMisc_DeviseName2"));
            d.unit = localizedMisc(QStringLiteral("kMisc_DeviseAbrev2"));
            d.convert = 0.1524490172374104;
            d.used = true;
        } else {
            d.fullName = localizedMisc(QStringLiteral("kMisc_DefaultName"));
            d.convert = 0.0;
            d.used = false;
        }
        list.append(d);
    }
    return list;
}
