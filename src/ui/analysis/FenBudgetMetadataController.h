#pragma once
// The details palette of a budget figure: the transactions, schedule occurrences and forecast
// occurrences added up into one folder's or category's figure of a period, headed by the name of
// the folder or category and the period.
#include "toolkit/windows/FenMetadataController.h"

class FenBudgetMetadataController : public FenMetadataController {
    Q_OBJECT
public:
    // 0 a folder, otherwise a category.
    int kind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    const QString& periode() const { return m_periode; }
    void setPeriode(const QString& periode) { m_periode = periode; }
    long ident() const { return m_ident; }
    void setIdent(long ident) { m_ident = ident; }

protected:
    void fillTitle() override;

private:
    int m_kind = 0;
    QString m_periode;
    long m_ident = -1;
};
