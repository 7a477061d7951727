#include "JsonStream.h"

#include "JsonText.h"

JsonStream::JsonStream(QTextStream& out)
    : m_out(out)
{
}

void JsonStream::beginObject()
{
    beforeValue();
    m_out << '{';
    m_open.append(false);
}

void JsonStream::endObject()
{
    close('}');
}

void JsonStream::beginArray()
{
    beforeValue();
    m_out << '[';
    m_open.append(false);
}

void JsonStream::endArray()
{
    close(']');
}

void JsonStream::key(const QString& name)
{
    if (m_open.last())
        m_out << ',';
    m_open.last() = true;
    newLine();
    m_out << JsonText::quoted(name) << " : ";
    m_afterKey = true;
}

void JsonStream::value(const QString& text)
{
    beforeValue();
    m_out << JsonText::quoted(text);
}

void JsonStream::value(qint64 number)
{
    beforeValue();
    m_out << number;
}

void JsonStream::value(bool flag)
{
    beforeValue();
    m_out << (flag ? "true" : "false");
}

// An array element starts on a line of its own; an object member's value follows its key.
void JsonStream::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_open.isEmpty())
        return;
    if (m_open.last())
        m_out << ',';
    m_open.last() = true;
    newLine();
}

void JsonStream::close(char bracket)
{
    const bool hadMembers = m_open.takeLast();
    if (hadMembers)
        newLine();
    m_out << bracket;
    if (m_open.isEmpty())
        m_out << '\n';
}

void JsonStream::newLine()
{
    m_out << '\n';
    for (qsizetype level = 0; level < m_open.size(); ++level)
        m_out << "  ";
}
