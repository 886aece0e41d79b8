#pragma once
// The row template of the analysis table: the title of a print-out, and the list views that give
// the rows' width, one of them kept for the folder rows. The header is the window's own box.
#include "toolkit/tables/StdTemplate.h"

class TemplateAnalyse : public StdTemplate {
    Q_OBJECT
public:
    // Which rows are folder rows: the window knows.
    using FolderRowTest = std::function<bool(int row)>;
    explicit TemplateAnalyse(FolderRowTest isFolderRow, QWidget* parent = nullptr);

    QWidget* template_view_liste_dossier() const { return m_listeDossier; }
    QWidget* viewListeAtRow(int row) const override;

protected:
    void loadView() override;

private:
    FolderRowTest m_isFolderRow;
    QWidget* m_listeDossier = nullptr;
};
