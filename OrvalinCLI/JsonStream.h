#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTextStream>

// Writes pretty-printed JSON as it goes, in the layout of JsonText::pretty, so that a report of
// a few hundred thousand files never has to be held in memory as one document. The text is
// made as UTF-8 in a buffer of its own and handed on in blocks: straight to the stream's device
// when it has one, which spares every string a round trip through the stream's encoder.
class JsonStream
{
public:
    explicit JsonStream(QTextStream& out);
    ~JsonStream();

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    // The key of the next member of the current object.
    void key(QStringView name);
    void value(QStringView text);
    void value(qint64 number);
    void value(bool flag);

    // Shorthands for a member of the current object.
    template <typename T> void member(QStringView name, const T& content)
    {
        key(name);
        value(content);
    }

    // Hands on what is buffered; done on its own at the end of the document.
    void flush();

private:
    void beforeValue();
    void close(char bracket);
    void newLine();
    void quoted(QStringView text);
    void flushWhenFull();

    QTextStream& m_out;
    QByteArray m_buffer;
    // One entry per open object or array: whether it has had a member yet.
    QList<bool> m_open;
    bool m_afterKey = false;
};
