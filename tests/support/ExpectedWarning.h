#pragma once
// A warning a test provokes on purpose (a soft assertion on bad input, say). While the guard
// lives, warnings containing its text are counted instead of failing the test, as the test main
// makes every other warning do; the test checks the count.
#include <QString>
#include <QtGlobal>

class ExpectedWarning {
public:
    explicit ExpectedWarning(QString text)
        : m_text(std::move(text))
        , m_outer(s_current)
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&ExpectedWarning::handle);
    }
    ~ExpectedWarning()
    {
        qInstallMessageHandler(m_previous);
        s_current = m_outer;
    }
    ExpectedWarning(const ExpectedWarning&) = delete;
    ExpectedWarning& operator=(const ExpectedWarning&) = delete;

    int count() const { return m_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        ExpectedWarning* guard = s_current;
        if (type == QtWarningMsg && message.contains(guard->m_text)) {
            ++guard->m_count;
            return;
        }
        guard->m_previous(type, context, message);
    }

    static inline ExpectedWarning* s_current = nullptr;
    QString m_text;
    ExpectedWarning* m_outer;
    QtMessageHandler m_previous = nullptr;
    int m_count = 0;
};
