#pragma once
// The model of a pie chart: a title and slices kept in decreasing order of value (each a share of
// the whole in percent), with the 22 colours the slices take in turn.
#include <QColor>
#include <QList>
#include <QString>

struct CamembertData {
    QString name;
    double value = 0;
};

class Camembert {
public:
    explicit Camembert(const QString& title = QString());

    QString title() const { return m_title; }
    const QList<CamembertData>& camembert_data() const { return m_data; }
    const QList<QColor>& camembert_colors() const { return m_colors; }

    // A value of exactly 0 is left out; an equal value goes before the slices that have it.
    void addCamembertData(const QString& name, double value);
    // The first slice whose value is at most the value; the slice count when none is.
    qsizetype findCamembertData(double value) const;
    // The colour of that slice, the colours taken in turn; white when there are none.
    QColor camembertPattern(qsizetype index) const;
    void initCamembertColors();

private:
    QString m_title;
    QList<CamembertData> m_data;
    QList<QColor> m_colors;
};
