#pragma once
// A quote service for tests: answers scripted per symbol (in order for repeated requests), always
// later on the main thread. With `hold` set the answers wait for release(), which can deliver
// them in reverse order. A symbol with no scripted answer fails. History requests are scripted and
// recorded under "history:" and the symbol.
#include "quotes/IQuoteService.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

class FakeQuoteService : public IQuoteService {
public:
    FakeQuoteService() { installQuoteService(this); }
    ~FakeQuoteService() override
    {
        installQuoteService(nullptr);
        EXPECT_TRUE(m_held.isEmpty()) << "answers held but never released: " << m_held.size();
    }
    FakeQuoteService(const FakeQuoteService&) = delete;
    FakeQuoteService& operator=(const FakeQuoteService&) = delete;

    bool hold = false;
    bool configured = true; // false: a service whose user set no address
    QStringList requested; // every symbol asked for, in order

    // The answer the service gives for one symbol, with the previous close as given.
    static QJsonObject quoteJson(const QJsonValue& previousClose, const QString& name = QStringLiteral("EUR/USD"),
                                 const QString& currency = QStringLiteral("EUR"))
    {
        const QJsonObject quote {{QStringLiteral("Name"), name},
                                 {QStringLiteral("Currency"), currency},
                                 {QStringLiteral("PreviousClose"), previousClose}};
        const QJsonObject results {{QStringLiteral("quote"), quote}};
        return QJsonObject {{QStringLiteral("query"), QJsonObject {{QStringLiteral("results"), results}}}};
    }

    void answerJson(const QString& symbol, const QJsonValue& json) { m_script[symbol].append({false, json, {}}); }
    void answerPrice(const QString& symbol, double price) { answerJson(symbol, quoteJson(price)); }
    void failWith(const QString& symbol, const QString& error) { m_script[symbol].append({true, {}, error}); }

    void answerHistory(const QString& symbol, const QJsonValue& json) { answerJson(historyKey(symbol), json); }
    static QString historyKey(const QString& symbol) { return QStringLiteral("history:") + symbol; }

    qsizetype heldCount() const { return m_held.size(); }
    // Delivers every held answer, later, in request order or reversed.
    void release(bool reversed = false)
    {
        QList<Pending> held = std::exchange(m_held, {});
        if (reversed)
            std::reverse(held.begin(), held.end());
        for (const Pending& pending : held)
            deliver(pending);
    }

    bool isConfigured() const override { return configured; }

    void requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock,
                               const QuoteFailBlock& failBlock) override
    {
        requested.append(symbol);
        QList<Reply>& replies = m_script[symbol];
        const Reply reply
            = replies.isEmpty() ? Reply {true, {}, QStringLiteral("no scripted answer")} : replies.takeFirst();
        const Pending pending {reply, endBlock, failBlock};
        if (hold)
            m_held.append(pending);
        else
            deliver(pending);
    }

    void requestHistoryForSymbol(const QString& symbol, double, double, const QuoteEndBlock& endBlock,
                                 const QuoteFailBlock& failBlock) override
    {
        requestQuoteForSymbol(historyKey(symbol), endBlock, failBlock);
    }

private:
    struct Reply {
        bool fails = false;
        QJsonValue json;
        QString error;
    };
    struct Pending {
        Reply reply;
        QuoteEndBlock endBlock;
        QuoteFailBlock failBlock;
    };

    void deliver(const Pending& pending)
    {
        // Zero-delay timers fire in the order they were started; deleting the fake cancels them.
        QTimer::singleShot(0, &m_context, [pending] {
            if (pending.reply.fails)
                pending.failBlock(pending.reply.error);
            else
                pending.endBlock(pending.reply.json);
        });
    }

    QHash<QString, QList<Reply>> m_script;
    QList<Pending> m_held;
    QObject m_context;
};
