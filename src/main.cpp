#include "document/ClassState.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ClassState::startup();
    QTextStream(stdout) << "Sorvanta: le noyau est construit ; les fenêtres arrivent avec les prochaines étapes.\n";
    ClassState::shutdown();
    return 0;
}
