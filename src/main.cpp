#include "document/ClassState.h"
#include "toolkit/QtUiHost.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::unique_ptr<UiHost> host = makeQtUiHost();
    UiHost::install(host.get());
    ClassState::startup();
    QTextStream(stdout) << "Sorvanta: le noyau est construit ; les fenêtres arrivent avec les prochaines étapes.\n";
    ClassState::shutdown();
    UiHost::install(nullptr);
    return 0;
}
