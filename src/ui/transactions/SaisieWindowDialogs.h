#pragma once
// The entry window's refusals and questions as alerts on its window: a refusal has the one button
// "OK", a question the two buttons asked for, the first being the default.
#include "engines/SaisieChecks.h"

#include <QPointer>

class SaisieWindowDialogs : public SaisieDialogs {
public:
    explicit SaisieWindowDialogs(QObject* window);

    void refuse(const QString& key, const QString& imageName, bool beep) override;
    bool ask(const QString& key, const QString& firstButton, const QString& secondButton, const QString& imageName,
             Safe safe) override;

private:
    QPointer<QObject> m_window;
};
