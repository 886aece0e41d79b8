#pragma once
// The period pop-up of the analysis and budget windows: "other views" (the synthesis grid, tag
// -3, and the month-by-month synthesis view, tag -1), the whole period (0) and each month column
// of the window's analysis (1..n). Items send TABLEAU_SYNTHESE:, GLOBAL_VIEW: or PERIODE: to the
// window.
#include "toolkit/popups/StdPopUp.h"

class AnalyseFile;

class PopPeriode : public StdPopUp {
    Q_OBJECT
public:
    static constexpr qint64 kTagTableauSynthese = -3;
    static constexpr qint64 kTagGlobal = -1;
    static constexpr qint64 kTagTotal = 0;

    explicit PopPeriode(QWidget* parent = nullptr);

    void FILL_MENU() override;
    QString titleForTag(qint64 tag) const;
    static QString imageNameForTag(qint64 tag);
    // Marks the tag and shows its title and image on the button.
    void GOTO_TAG(qint64 tag);

    bool enablePeriode() const { return m_enablePeriode; }
    void setEnablePeriode(bool enable) { m_enablePeriode = enable; }
    // The window's file; the pop-up only reads it, and it must outlive the pop-up's use of it.
    const AnalyseFile* anaFile() const { return m_anaFile; }
    void setAnaFile(const AnalyseFile* file) { m_anaFile = file; }
    // The budget window's synthesis grid is titled otherwise.
    bool isBudget() const { return m_budget; }
    void setBudget(bool budget) { m_budget = budget; }
    // Whether the window shows a synthesis grid, which the first item opens.
    void setSyntheseOffered(bool offered) { m_syntheseOffered = offered; }

private:
    bool m_enablePeriode = true;
    bool m_budget = false;
    bool m_syntheseOffered = false;
    const AnalyseFile* m_anaFile = nullptr;
};
