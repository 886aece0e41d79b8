#include "toolkit/dialogs/EditorFrame.h"

#include "toolkit/windows/StdWindow.h"

#include "foundation/diagnostics.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

QVBoxLayout* editorLayout(StdWindow& window, int spacing)
{
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(spacing);
    return layout;
}

EditorFrame layOutEditor(StdWindowController& controller, StdWindow& window, std::initializer_list<QObject*> parts,
                         int spacing)
{
    const CancelOkRow buttons = cancelOkRow(controller, window);
    QVBoxLayout* layout = editorLayout(window, spacing);
    for (QObject* part : parts) {
        if (auto* asLayout = qobject_cast<QLayout*>(part))
            layout->addLayout(asLayout);
        else if (auto* asWidget = qobject_cast<QWidget*>(part))
            layout->addWidget(asWidget);
        else
            svSoftAssertFailed("a layout or a widget in an editor's frame", __FILE__, __LINE__);
    }
    layout->addLayout(buttons.row);
    return {layout, buttons};
}
