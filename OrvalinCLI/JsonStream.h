#pragma once

#include <QList>
#include <QString>
#include <QTextStream>

// Writes pretty-printed JSON as it goes, in the layout of JsonText::pretty, so that a report of
// a few hundred thousand files never has to be held in memory as one document.
class JsonStream
{
public:
    explicit JsonStream(QTextStream& out);

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    // The key of the next member of the current object.
    void key(const QString& name);
    void value(const QString& text);
    void value(qint64 number);
    void value(bool flag);

    // Shorthands for a member of the current object.
    template <typename T> void member(const QString& name, const T& content)
    {
        key(name);
        value(content);
    }

private:
    void beforeValue();
    void close(char bracket);
    void newLine();

    QTextStream& m_out;
    // One entry per open object or array: whether it has had a member yet.
    QList<bool> m_open;
    bool m_afterKey = false;
};
