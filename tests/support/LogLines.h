#pragma once
// The lines the program logs while the guard lives, kept for the test to look at; every line
// still goes where it went.
#include <QString>
#include <QStringList>
#include <QtGlobal>

class LogLines {
public:
    LogLines()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&LogLines::handle);
    }
    ~LogLines() { qInstallMessageHandler(s_previous); }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    static QStringList containing(const QString& text) { return s_lines.filter(text); }
    static int count(const QString& text) { return int(s_lines.filter(text).size()); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        s_lines << message;
        s_previous(type, context, message);
    }
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};
