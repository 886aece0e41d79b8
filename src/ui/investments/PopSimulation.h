#pragma once
// The simulator's pop-up: a new simulation; for a saved one a copy of it or its deletion, for an
// unsaved one its saving; then every saved simulation of the document, to load it.
#include "toolkit/popups/StdPopUp.h"

#include <QPointer>

class FenSimulationController;

class PopSimulation : public StdPopUp {
    Q_OBJECT
public:
    explicit PopSimulation(QWidget* parent = nullptr);

    FenSimulationController* simulation_delegate() const { return m_delegate; }
    void setSimulation_delegate(FenSimulationController* delegate);

    void FILL_MENU() override;

private:
    QPointer<FenSimulationController> m_delegate;
};
