#pragma once
// The full graph editor, run before a graph window opens: what the graph follows (an account, a
// category, a bank or a folder), its dates or date mode, months or days, whether schedules and
// forecasts count, and the drawing choices. It also keeps the document's saved definitions:
// choose one (the one left keeps the edits made to it), create one from the current settings,
// rename or delete the one chosen. Those changes to the document's list stay when the editor is
// cancelled. The saved definition chosen is remembered in the document's parameters.
#include "graphs/FenEditGraphiqueParamController.h"

#include "model/GRAPH.h"

#include <optional>

class PopConfiguration;
class QButtonGroup;
class QCheckBox;
class QLabel;

class FenEditGraphiqueController : public FenEditGraphiqueParamController {
    Q_OBJECT
public:
    long configuration() const { return m_configuration; }
    bool canModify() const { return m_configuration >= 0; }
    bool onCompte() const { return m_on == kGraphModeCompte; }
    bool onPoste() const { return m_on == kGraphModePoste; }
    bool onBanque() const { return m_on == kGraphModeBanque; }
    bool onDossier() const { return m_on == kGraphModeDossier; }
    bool canDate() const { return m_canDate; }
    void setCanDate(bool can);

    void didAwakeFromNib() override;
    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;
    void FILL_CONFIGURATION();
    void SAVE_CONFIGURATION();
    void PBCONFIGURATION_WITH_INDEX(long index);
    void UPDATE_RESPONDER();
    Q_INVOKABLE void PBCONFIGURATION(QObject* item);
    Q_INVOKABLE void NOUVEAU(QObject* sender);
    Q_INVOKABLE void RENOMMER(QObject* sender);
    Q_INVOKABLE void EFFACER(QObject* sender);
    Q_INVOKABLE void COMPTECB(QObject* sender);
    Q_INVOKABLE void POSTECB(QObject* sender);
    Q_INVOKABLE void BANQUECB(QObject* sender);
    Q_INVOKABLE void DOSSIERCB(QObject* sender);
    Q_INVOKABLE void MODEDATE(QObject* sender);
    Q_INVOKABLE void MOISCOMPLET(QObject* sender);
    Q_INVOKABLE void OUI(QObject* sender) override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    bool refusesImpossibleDates();
    QWidget* buildConfiguration(QWidget& parent);
    QWidget* buildFollowed(QWidget& parent);
    QWidget* buildPeriode(QWidget& parent);
    QWidget* buildFormatBox(QWidget& parent);
    void setOn(int mode);
    void choose(int mode);
    QWidget* followedPicker() const;
    // The saved definition at that place becomes the one edited.
    void takePlace(long index);
    // Where the definition edited stands now: another editor may have added or deleted one
    // before it. -1 once it is gone or changed by another.
    long findPlace() const;

    long m_configuration = -1;
    std::optional<GRAPH> m_placed; // the definition edited, as it is saved
    int m_on = kGraphModeCompte;
    bool m_canDate = false;
    PopConfiguration* m_popConfiguration = nullptr;
    QLabel* m_fieldConfiguration = nullptr;
    QButtonGroup* m_boxes = nullptr;
    QCheckBox* m_cbPrevision = nullptr;
    QCheckBox* m_cbMoisComplet = nullptr;
    QComboBox* m_popupModedate = nullptr;
    QComboBox* m_popupGrouper = nullptr;
    QList<QWidget*> m_dateFields;
};
