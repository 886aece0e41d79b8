#include "MONTANT.h"

#include "foundation/numbers.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <algorithm>
#include <charconv>
#include <cmath>

bool MONTANT::nullMontant() const
{
    return sameDoubleMontant(values[0], 0.0);
}

bool MONTANT::negativeMontant() const
{
    return values[0] < 0.0;
}

void MONTANT::makeMontant(long slot, double v, const DeviseList& devises)
{
    for (long i = 0; i < kDeviseSlotCount; ++i)
        values[static_cast<size_t>(i)] = i == slot ? v : convertMontant(v, slot, i, devises);
}

double MONTANT::getValueForDevise(long slot) const
{
    return slot >= 0 && slot < kDeviseSlotCount ? values[static_cast<size_t>(slot)] : 0.0;
}

void MONTANT::setValueForDevise(long slot, double v)
{
    if (slot >= 0 && slot < kDeviseSlotCount)
        values[static_cast<size_t>(slot)] = v;
}

QString MONTANT::montantToStringWithDecimales(long slot, const DeviseList* devises, bool showUnit, long d,
                                              QChar virgule) const
{
    if (nullMontant())
        return QStringLiteral("-");
    QString s = montantToStringFromDouble(getValueForDevise(slot), d, virgule);
    if (devises && showUnit)
        s += QLatin1Char(' ') + Devise::deviseUnitAtIndex(*devises, slot);
    return s;
}

const MONTANT& MONTANT::zero()
{
    static const MONTANT z;
    return z;
}

namespace {

int g_currentDeviseSlot = 0;

} // namespace

int MONTANT::currentDeviseSlot()
{
    return g_currentDeviseSlot;
}

void MONTANT::setCurrentDeviseSlot(int slot)
{
    g_currentDeviseSlot = slot >= 0 && slot < kDeviseSlotCount ? slot : 0;
}

void MONTANT::startMontant()
{
    setCurrentDeviseSlot(0);
}

void MONTANT::loadMontant(const DOCUMENT* doc)
{
    setCurrentDeviseSlot(doc && doc->docParam ? static_cast<int>(doc->docParam->defaultDevise) : 0);
}

double MONTANT::convertMontant(double v, long a, long b, const DeviseList& devises)
{
    const double rb = Devise::deviseConvertAtIndex(devises, b);
    if (rb == 0.0 || !std::isfinite(rb))
        return 0.0;
    const double r = v * Devise::deviseConvertAtIndex(devises, a) / rb;
    return std::isfinite(r) ? r : 0.0;
}

void MONTANT::addMontant(const MONTANT& a, const MONTANT& b, MONTANT& r)
{
    for (size_t i = 0; i < kDeviseSlotCount; ++i)
        r.values[i] = a.values[i] + b.values[i];
}

void MONTANT::subMontant(const MONTANT& a, const MONTANT& b, MONTANT& r)
{
    for (size_t i = 0; i < kDeviseSlotCount; ++i)
        r.values[i] = a.values[i] - b.values[i];
}

void MONTANT::multMontant(const MONTANT& a, double x, MONTANT& r)
{
    for (size_t i = 0; i < kDeviseSlotCount; ++i)
        r.values[i] = a.values[i] * x;
}

void MONTANT::divMontant(const MONTANT& a, double x, MONTANT& r)
{
    for (size_t i = 0; i < kDeviseSlotCount; ++i)
        r.values[i] = x == 0.0 ? 0.0 : a.values[i] / x;
}

void MONTANT::invertMontant(MONTANT& a)
{
    for (double& v : a.values)
        v = -v;
}

bool MONTANT::supMontant(const MONTANT& a, const MONTANT& b)
{
    return a.values[0] > b.values[0];
}
bool MONTANT::infMontant(const MONTANT& a, const MONTANT& b)
{
    return a.values[0] < b.values[0];
}

bool MONTANT::sameMontant(const MONTANT& a, const MONTANT& b, bool allDevise, const DeviseList& devises)
{
    const long first = allDevise ? 0 : currentDeviseSlot();
    const long last = allDevise ? kDeviseSlotCount - 1 : currentDeviseSlot();
    for (long i = first; i <= last; ++i) {
        if (Devise::deviseUsedAtIndex(devises, i)
            && !sameDoubleMontant(a.values[static_cast<size_t>(i)], b.values[static_cast<size_t>(i)]))
            return false;
    }
    return true;
}

QString MONTANT::montantToStringFromDouble(double v, long dec, QChar virgule)
{
    return formatMontant(doubleToStringWithDecimales(dec, v), dec, virgule);
}

QString MONTANT::formatMontant(const QString& plain, long dec, QChar virgule)
{
    QString out;
    qsizetype pos = 0;
    qsizetype k = plain.size() - (dec >= 1 ? dec + 1 : 0);
    if (plain.startsWith(u'-')) {
        out += u'-';
        ++pos;
        --k;
    }
    if (k < 0 || pos + k > plain.size())
        return plain;
    const qsizetype r = k % 3;
    const qsizetype q = k / 3;
    out += plain.mid(pos, r);
    pos += r;
    for (qsizetype g = 0; g < q; ++g) {
        if (g > 0 || r > 0)
            out += u' ';
        out += plain.mid(pos, 3);
        pos += 3;
    }
    if (dec >= 1) {
        QString tail = plain.mid(pos);
        if (!tail.isEmpty())
            tail[0] = virgule;
        out += tail;
    }
    return out;
}

QString MONTANT::montantToStringFromDoubleWithUnit(double v, long dec, QChar virgule, long slot,
                                                   const DeviseList* devises)
{
    QString s = montantToStringFromDouble(v, dec, virgule);
    if (devises)
        s += QLatin1Char(' ') + Devise::deviseUnitAtIndex(*devises, slot);
    return s;
}

void MONTANT::roundAsStored(const DeviseList& devises)
{
    if (devises.size() != kDeviseSlotCount)
        return;
    for (long i = 0; i < kDeviseSlotCount; ++i) {
        if (Devise::deviseUsedAtIndex(devises, i))
            values[static_cast<size_t>(i)]
                = storedMontantValue(values[static_cast<size_t>(i)], Devise::deviseDecimalesAtIndex(devises, i));
    }
}

bool MONTANT::XML_append_montant(pugi::xml_node parent, const XmlName& key, const DeviseList& devises,
                                 long decimales) const
{
    pugi::xml_node element = xmlAppendElement(parent, key);
    if (!element)
        return false;
    // Always five children; a slot not in use is stored as zero whatever it holds.
    for (long i = 0; i < kDeviseSlotCount; ++i) {
        const double v = Devise::deviseUsedAtIndex(devises, i) ? values[static_cast<size_t>(i)] : 0.0;
        xmlAppendDouble(element, "v", static_cast<int>(decimales), v);
    }
    return true;
}

namespace {

// One element holding a value per currency slot, written with its currency's decimals; a slot of
// no currency in use is written as zero.
template <typename Node>
bool appendMontantWithDeviseDecimales(const MONTANT& m, Node parent, const XmlName& key, const DeviseList& devises)
{
    Node element = xmlAppendElement(parent, key);
    if (!element)
        return false;
    for (long i = 0; i < kDeviseSlotCount; ++i) {
        const double v = Devise::deviseUsedAtIndex(devises, i) ? m.values[static_cast<size_t>(i)] : 0.0;
        xmlAppendDouble(element, "v", static_cast<int>(Devise::deviseDecimalesAtIndex(devises, i)), v);
    }
    return true;
}

} // namespace

bool MONTANT::XML_append_montantWithDeviseDecimales(pugi::xml_node parent, const XmlName& key,
                                                    const DeviseList& devises) const
{
    return appendMontantWithDeviseDecimales(*this, parent, key, devises);
}

bool MONTANT::XML_append_montantWithDeviseDecimales(XmlStreamNode parent, const XmlName& key,
                                                    const DeviseList& devises) const
{
    return appendMontantWithDeviseDecimales(*this, parent, key, devises);
}

bool loadMontantFromXML(pugi::xml_node parent, const XmlName& key, MONTANT& m)
{
    const pugi::xml_node element = xmlFirstElementNamed(parent, key);
    if (!element || !element.first_child()) {
        m = MONTANT::zero();
        return false;
    }
    // Children count by position; their names are not looked at.
    size_t i = 0;
    for (pugi::xml_node child = element.first_child(); child && i < kDeviseSlotCount; child = child.next_sibling())
        m.values[i++] = xmlNodeDoubleValue(child, 0.0);
    for (; i < kDeviseSlotCount; ++i)
        m.values[i] = 0.0;
    return true;
}

double storedMontantValue(double v, long decimales)
{
    if (v == 0.0 || !std::isfinite(v))
        return 0.0;
    std::array<char, 400> text {};
    const int precision = static_cast<int>(std::clamp(decimales, 0L, 30L));
    const auto written = std::to_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed, precision);
    if (written.ec != std::errc())
        return v;
    double read = v;
    std::from_chars(text.data(), written.ptr, read, std::chars_format::fixed);
    return read;
}

QString montantToStringForDevise(const MONTANT& m, long slot, const DeviseList* devises, bool showUnit)
{
    const long d = devises ? Devise::deviseDecimalesAtIndex(*devises, slot) : 2;
    return m.montantToStringWithDecimales(slot, devises, showUnit, d, u',');
}

void convertMontantSlot(MONTANT& m, long slot, const DeviseList& devises)
{
    m.setValueForDevise(slot, MONTANT::convertMontant(m.values[0], 0, slot, devises));
}

QString trimMontantZeros(const QString& text, long slot, const DeviseList& devises)
{
    qsizetype sep = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'.' || text[i] == u',') {
            sep = i;
            break;
        }
    }
    if (sep < 0)
        return text;
    const qsizetype keep = sep + 1 + Devise::deviseDecimalesAtIndex(devises, slot);
    if (text.size() <= keep)
        return text;
    QString out = text;
    while (out.size() > keep && out.endsWith(u'0'))
        out.chop(1);
    return out;
}
