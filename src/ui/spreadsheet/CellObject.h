#pragma once
// One cell of the spreadsheet grid, at its display position: the text it shows, its selection
// state and what a subclass of the grid hangs on it. Row and column headers are cells too
// (RowObject, ColumnObject), with a size: a row's height, a column's width.
//
// A grid holds every cell of its table at once (a synthesis of thousands of rows, an imported
// file of a hundred thousand), so a cell keeps only what every cell has; what few cells carry
// (an associated object or need, an edited value's original, a font of its own) lives in a block
// made when it is first set.
#include <QFont>
#include <QSizeF>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

class CellObject {
public:
    // The three states of cells and headers. A header is selected when its whole row or column
    // is; it is hilited when a selected cell, row or column lies in it, and a cell is hilited when
    // it lies in a selected row or column.
    static constexpr long kStateNormal = 0;
    static constexpr long kStateSelected = 1;
    static constexpr long kStateHilited = 2;

    // The display position, the value (its initial value too), the grid's default alignment;
    // state 0, not invalidated, size zero.
    CellObject(long rowIndex, long columnIndex, QString value, unsigned long alignment);
    ~CellObject();
    CellObject(CellObject&&) noexcept;
    CellObject& operator=(CellObject&&) noexcept;
    CellObject(const CellObject&) = delete;
    CellObject& operator=(const CellObject&) = delete;

    // Marks set by the import editor on cells whose value it cannot read; the grid draws a veil
    // over them and never changes them.
    bool invalidated() const { return m_invalidated; }
    void setInvalidated(bool invalidated) { m_invalidated = invalidated; }
    bool invalidatedImplicit() const { return m_invalidatedImplicit; }
    void setInvalidatedImplicit(bool invalidated) { m_invalidatedImplicit = invalidated; }

    long state() const { return m_state; }
    void setState(long state) { m_state = std::int8_t(state); }
    long rowIndex() const { return m_rowIndex; }
    long columnIndex() const { return m_columnIndex; }

    const QString& value() const { return m_value; }
    // The value the cell was created with stays its initialValue.
    void setValue(const QString& value);
    // The value the cell was created with (null when it was created with none), until a subclass
    // sets another.
    QString initialValue() const;
    void setInitialValue(const QString& value);

    // The grid's default font at 11 points unless one was set; the grid draws with its
    // per-cell operations instead.
    QFont font() const;
    void setFont(const QFont& font);
    unsigned long alignment() const { return m_alignment; }
    void setAlignment(unsigned long alignment) { m_alignment = std::uint8_t(alignment); }

    // Free for the subclasses of the grid: a field kind on an import column's header, a parsed
    // value on an imported cell. Invalid and null until set.
    QVariant associatedObject() const;
    void setAssociatedObject(const QVariant& object);
    QString associatedNeed() const;
    void setAssociatedNeed(const QString& need);

    // Zero for a content cell; (0, height) for a row header, (width, 0) for a column header.
    QSizeF size() const { return QSizeF(m_width, m_height); }
    void setSize(const QSizeF& size);

private:
    struct Extras;
    Extras& extras();

    QString m_value;
    std::unique_ptr<Extras> m_extras;
    float m_width = 0;
    float m_height = 0;
    std::int32_t m_rowIndex = 0;
    std::int32_t m_columnIndex = 0;
    std::int8_t m_state = 0;
    std::uint8_t m_alignment = 0;
    bool m_invalidated = false;
    bool m_invalidatedImplicit = false;
};
