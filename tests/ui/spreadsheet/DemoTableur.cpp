#include "DemoTableur.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>

long DemoTableurController::numberOfColumnsInDataSource() const
{
    long columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, long(row.size()));
    return std::max(columns, long(columnTitles.size()));
}

QString DemoTableurController::valueAtRowInDataSource(long row, long column) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= rows.at(row).size())
        return QString();
    return rows.at(row).at(column);
}

QString DemoTableurController::valueAtColumnHeaderInDataSource(long index) const
{
    if (index >= 0 && index < columnTitles.size())
        return columnTitles.at(index);
    return FenTableurController::valueAtColumnHeaderInDataSource(index);
}

QStringList DemoTableurController::statementTitles()
{
    return {"Date",  "Libellé", "Débit",  "Crédit", "Catégorie", "Compte",
            "Moyen", "Réf.",    "Devise", "Taxe",   "Dossier",   "Note"};
}

QList<QStringList> DemoTableurController::statementRows(int count)
{
    const QStringList labels
        = {"Boulangerie Martin", "Salaire mars",   "Loyer", "Électricité", "Pharmacie du centre", "Cinéma", "Essence",
           "Librairie",          "Assurance auto", "Marché"};
    const QStringList categories = {"Alimentation", "Salaire",   "Logement", "Énergie",   "Santé",
                                    "Loisirs",      "Transport", "Culture",  "Assurance", "Alimentation"};
    const QStringList means = {"Carte", "Virement", "Prélèvement", "Chèque"};
    QList<QStringList> rows;
    for (int i = 0; i < count; ++i) {
        const int kind = i % labels.size();
        const bool credit = kind == 1;
        const QString amount
            = QStringLiteral("%1,%2").arg(12 + (i * 37) % 900).arg((i * 13) % 100, 2, 10, QLatin1Char('0'));
        rows.append({QStringLiteral("%1/03/2024").arg(1 + i % 28, 2, 10, QLatin1Char('0')), labels.at(kind),
                     credit ? QString() : amount, credit ? amount : QString(), categories.at(kind),
                     QStringLiteral("Compte courant"), means.at(i % means.size()), QStringLiteral("%1").arg(1000 + i),
                     QStringLiteral("EUR"), i % 3 ? QString() : QStringLiteral("20 %"),
                     i % 4 ? QStringLiteral("Maison") : QStringLiteral("Vacances"),
                     i % 5 ? QString() : QStringLiteral("à vérifier")});
    }
    return rows;
}

QList<QStringList> DemoTableurController::numberedRows(int count, int columns)
{
    QList<QStringList> rows;
    for (int r = 0; r < count; ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row.append(QStringLiteral("%1.%2").arg(r).arg(c));
        rows.append(row);
    }
    return rows;
}

std::unique_ptr<DemoTableurController> openDemoTableur(QList<QStringList> rows, QStringList titles, long rowsPerPage)
{
    auto controller = std::make_unique<DemoTableurController>();
    controller->rows = std::move(rows);
    controller->columnTitles = std::move(titles);
    controller->rowsPerPage = rowsPerPage;
    controller->initWithForWindow(nullptr, makeWindowData(), 0, false, true);
    StdWindow* window = controller->window();
    window->setWindowTitle(QStringLiteral("Relevé de démonstration"));
    window->show();
    return controller;
}

namespace {

void send(QWidget* band, QEvent::Type type, const QPointF& point, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, point, band->mapToGlobal(point), button, buttons, modifiers);
    QCoreApplication::sendEvent(band, &event);
}

} // namespace

void TableurMouse::press(QWidget* band, const QPointF& point, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    send(band, QEvent::MouseButtonPress, point, button, button, modifiers);
}

void TableurMouse::drag(QWidget* band, const QPointF& point, Qt::KeyboardModifiers modifiers)
{
    send(band, QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton, modifiers);
}

void TableurMouse::release(QWidget* band, const QPointF& point)
{
    send(band, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}

void TableurMouse::hover(QWidget* band, const QPointF& point)
{
    send(band, QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
}

void TableurMouse::click(QWidget* band, const QPointF& point, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    press(band, point, modifiers, button);
    send(band, QEvent::MouseButtonRelease, point, button, Qt::NoButton, modifiers);
}
