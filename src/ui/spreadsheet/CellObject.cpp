#include "spreadsheet/CellObject.h"

#include "spreadsheet/TableurProtocol.h"

#include <optional>

struct CellObject::Extras {
    std::optional<QString> initialValue; // set once the value or the initial value changed
    std::optional<QFont> font;
    QVariant associatedObject;
    QString associatedNeed;
};

CellObject::CellObject(long rowIndex, long columnIndex, QString value, unsigned long alignment)
    : m_value(std::move(value))
    , m_rowIndex(std::int32_t(rowIndex))
    , m_columnIndex(std::int32_t(columnIndex))
    , m_alignment(std::uint8_t(alignment))
{
}

CellObject::~CellObject() = default;
CellObject::CellObject(CellObject&&) noexcept = default;
CellObject& CellObject::operator=(CellObject&&) noexcept = default;

CellObject::Extras& CellObject::extras()
{
    if (!m_extras)
        m_extras = std::make_unique<Extras>();
    return *m_extras;
}

void CellObject::setValue(const QString& value)
{
    Extras& more = extras();
    if (!more.initialValue)
        more.initialValue = m_value;
    m_value = value;
}

QString CellObject::initialValue() const
{
    return m_extras && m_extras->initialValue ? *m_extras->initialValue : m_value;
}

void CellObject::setInitialValue(const QString& value)
{
    extras().initialValue = value;
}

QFont CellObject::font() const
{
    return m_extras && m_extras->font ? *m_extras->font : TableurProtocol::defaultFont(11);
}

void CellObject::setFont(const QFont& font)
{
    extras().font = font;
}

QVariant CellObject::associatedObject() const
{
    return m_extras ? m_extras->associatedObject : QVariant();
}

void CellObject::setAssociatedObject(const QVariant& object)
{
    extras().associatedObject = object;
}

QString CellObject::associatedNeed() const
{
    return m_extras ? m_extras->associatedNeed : QString();
}

void CellObject::setAssociatedNeed(const QString& need)
{
    extras().associatedNeed = need;
}

void CellObject::setSize(const QSizeF& size)
{
    m_width = float(size.width());
    m_height = float(size.height());
}
