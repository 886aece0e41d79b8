#pragma once
// The footers of the transaction lists, the statement window and the listings: lines of captioned
// figures with the list's line count at the right of the first line. Every figure field is a
// FigureLabel named after its field (field_debit, field_total_achat...), so tests and printing
// find it by name.
//
// A footer never cuts a figure: each field is given the room its figure needs, and a line that
// does not hold in the footer's width goes on over as many lines as it needs (the footer then asks
// for that height: heightForWidth). It lays its fields out again whenever a figure changes width.
#include "toolkit/windows/StdBoxNoBorder.h"

#include <QLabel>
#include <QPointer>

#include <array>
#include <vector>

class FigureLabel;

class StdViewPiedFields : public StdBoxNoBorder {
    Q_OBJECT
public:
    static constexpr int kLineHeight = 22;

    explicit StdViewPiedFields(int lines, QWidget* parent = nullptr);

    QLabel* field_nb_operations() const;
    // The value field named name; null when the footer has none.
    QLabel* field(const char* name) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    struct FieldSpec {
        int line;
        const char* name;
        const char* captionKey;
    };
    // A caption (its text from the "Appl" table) and its empty value at the end of a line.
    QLabel* addField(int line, const char* name, const char* captionKey);
    void addFields(std::initializer_list<FieldSpec> fields);

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Field {
        int line;
        QLabel* caption;
        FigureLabel* value;
    };
    // Places the fields in that width (or only counts their lines when apply is false); answers
    // the number of lines they take.
    int placeFields(int width, bool apply) const;
    void layOutFields();

    int m_lines;
    std::vector<Field> m_fields;
    QPointer<FigureLabel> m_fieldNbOperations;
};

// Debits, credits, their difference, the carry-over and the resulting balance of a statement
// or a listing.
class StdViewPiedReleve : public StdViewPiedFields {
    Q_OBJECT
public:
    // The names of the five fields and the keys of their captions.
    struct Outlets {
        std::array<const char*, 5> names;
        std::array<const char*, 5> captionKeys;
    };
    // The listings' fields ("field_debit"...).
    static const Outlets kListingOutlets;
    // The statement window's fields ("field_releve_debit"...).
    static const Outlets kReleveOutlets;

    explicit StdViewPiedReleve(QWidget* parent = nullptr);
    StdViewPiedReleve(const Outlets& outlets, QWidget* parent);

    QLabel* getFieldReleveDebit() const { return m_fields[0]; }
    QLabel* getFieldReleveCredit() const { return m_fields[1]; }
    QLabel* getFieldReleveBenefice() const { return m_fields[2]; }
    QLabel* getFieldReleveReport() const { return m_fields[3]; }
    QLabel* getFieldReleveBilan() const { return m_fields[4]; }
    // The five in that order.
    QLabel* fieldAt(int index) const { return index >= 0 && index < 5 ? m_fields[size_t(index)] : nullptr; }

private:
    std::array<QLabel*, 5> m_fields {};
};

// The listings' footer: the statement's, under the name the listings' layout knows it by.
class StdViewPiedListing : public StdViewPiedReleve {
    Q_OBJECT
public:
    using StdViewPiedReleve::StdViewPiedReleve;
};
