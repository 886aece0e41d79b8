#pragma once
// Alerts for tests: records every alert and answers from a queue; an alert nobody expected fails
// the test.
#include "foundation/IAlerts.h"

#include <QList>
#include <gtest/gtest.h>

class FakeAlerts : public IAlerts {
public:
    FakeAlerts() { installAlerts(this); }
    ~FakeAlerts() override
    {
        installAlerts(nullptr);
        EXPECT_TRUE(answers.isEmpty()) << "alerts expected but not shown: " << answers.size();
    }
    FakeAlerts(const FakeAlerts&) = delete;
    FakeAlerts& operator=(const FakeAlerts&) = delete;

    QList<int> answers;
    QList<AlertRequest> shown;

    void expect(int code) { answers.append(code); }

    int run(const AlertRequest& request) override
    {
        shown.append(request);
        if (answers.isEmpty()) {
            ADD_FAILURE() << "unexpected alert: " << request.message.toStdString();
            return kAlertFirstButton;
        }
        return answers.takeFirst();
    }
};
