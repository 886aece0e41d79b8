#pragma once
// The footers of the statement window and of the listings: lines of captioned amounts with the
// list's line count at the right of the first line. Every amount field is a label named after
// its field (field_debit, field_total_achat...), so tests and printing find it by name.
#include "toolkit/windows/StdBoxNoBorder.h"

#include <QPointer>

class QHBoxLayout;
#include <QLabel>

class StdViewPiedFields : public StdBoxNoBorder {
    Q_OBJECT
public:
    static constexpr int kLineHeight = 22;

    explicit StdViewPiedFields(int lines, QWidget* parent = nullptr);

    QLabel* field_nb_operations() const { return m_fieldNbOperations; }
    // The value field named name; null when the footer has none.
    QLabel* field(const char* name) const;

protected:
    struct FieldSpec {
        int line;
        const char* name;
        const char* captionKey;
    };
    // A caption (its text from the "Appl" table) and its empty value at the end of a line.
    QLabel* addField(int line, const char* name, const char* captionKey);
    void addFields(std::initializer_list<FieldSpec> fields);

private:
    QList<QHBoxLayout*> m_lines;
    QPointer<QLabel> m_fieldNbOperations;
};

// Debits, credits, their difference, the carry-over and the resulting balance of a statement
// or a listing.
class StdViewPiedReleve : public StdViewPiedFields {
    Q_OBJECT
public:
    explicit StdViewPiedReleve(QWidget* parent = nullptr);

    QLabel* getFieldReleveDebit() const { return m_debit; }
    QLabel* getFieldReleveCredit() const { return m_credit; }
    QLabel* getFieldReleveBenefice() const { return m_benefice; }
    QLabel* getFieldReleveReport() const { return m_report; }
    QLabel* getFieldReleveBilan() const { return m_bilan; }

private:
    QLabel* m_debit;
    QLabel* m_credit;
    QLabel* m_benefice;
    QLabel* m_report;
    QLabel* m_bilan;
};

// The listings' footer: the statement's, under the name the listings' layout knows it by.
class StdViewPiedListing : public StdViewPiedReleve {
    Q_OBJECT
public:
    using StdViewPiedReleve::StdViewPiedReleve;
};
