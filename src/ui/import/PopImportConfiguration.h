#pragma once
// The configurations pop-up of the tab import editor: leave the active configuration, save the
// current roles and mappings under a new name, delete the active one, and every configuration of
// the document to load, the active one marked.
#include "toolkit/popups/StdPopUp.h"

#include <QPointer>
#include <QStringList>

class FenEditImportTABController;

class PopImportConfiguration : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    FenEditImportTABController* importDelegate() const { return m_importDelegate; }
    void setImportDelegate(FenEditImportTABController* delegate);

    // The delegate's answers; empty without one.
    QStringList getAllConfigurations() const;
    QString getActiveConfiguration() const;

protected:
    void FILL_MENU() override;

private:
    QPointer<FenEditImportTABController> m_importDelegate;
};
