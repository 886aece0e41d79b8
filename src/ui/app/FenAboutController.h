#pragma once
// What the program is: its name, its version and build, and its copyright notice.
#include "toolkit/windows/StdWindowController.h"

class QLabel;

class FenAboutController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;

    // The program's version ("0.1"), build number and copyright notice.
    static QString shortVersion();
    static QString buildVersion();
    static QString copyright();

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLabel* m_version = nullptr;
    QLabel* m_build = nullptr;
    QLabel* m_copyright = nullptr;
};

// Runs the about window modally; answers its result (1).
long showAbout();
