#pragma once
// A stored value a field shows in a form of its own (a rate with two decimals, a text whose line
// ends the field turns into its own), and the text the field showed for it. While the field's
// text is still that text, the user did not touch the field: reading it gives the value as it was
// stored, all its decimals and its own line ends, not what the text reads as.
#include <QString>

#include <optional>
#include <utility>

template <typename Value> class ShownValue {
public:
    void show(Value value, QString text)
    {
        m_value = std::move(value);
        m_text = std::move(text);
    }
    // The value shown, when the field's text is still the one shown for it.
    std::optional<Value> untouched(const QString& text) const
    {
        if (m_value && text == m_text)
            return m_value;
        return std::nullopt;
    }

private:
    std::optional<Value> m_value;
    QString m_text;
};
