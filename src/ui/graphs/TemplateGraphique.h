#pragma once
// The row template of the graph window's table: the title block a print-out of the table carries
// (the graph's own title goes in it) and the list view that gives a period row its width.
#include "toolkit/tables/StdTemplate.h"

class TemplateGraphique : public StdTemplate {
    Q_OBJECT
public:
    explicit TemplateGraphique(QWidget* parent = nullptr);

protected:
    void loadView() override;
};
