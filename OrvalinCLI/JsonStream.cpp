#include "JsonStream.h"

#include <QIODevice>
#include <algorithm>
#include <charconv>

namespace {

constexpr qsizetype blockSize = 64 * 1024;

} // namespace

JsonStream::JsonStream(QTextStream& out)
    : m_out(out)
{
    m_buffer.reserve(blockSize + 4096);
}

JsonStream::~JsonStream()
{
    flush();
}

void JsonStream::beginObject()
{
    beforeValue();
    m_buffer += '{';
    m_open.append(false);
}

void JsonStream::endObject()
{
    close('}');
}

void JsonStream::beginArray()
{
    beforeValue();
    m_buffer += '[';
    m_open.append(false);
}

void JsonStream::endArray()
{
    close(']');
}

void JsonStream::key(QStringView name)
{
    if (m_open.last())
        m_buffer += ',';
    m_open.last() = true;
    newLine();
    quoted(name);
    m_buffer += " : ";
    m_afterKey = true;
}

void JsonStream::value(QStringView text)
{
    beforeValue();
    quoted(text);
    flushWhenFull();
}

void JsonStream::value(qint64 number)
{
    beforeValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    m_buffer.append(digits, end - digits);
}

void JsonStream::value(bool flag)
{
    beforeValue();
    m_buffer += flag ? "true" : "false";
}

void JsonStream::flush()
{
    if (m_buffer.isEmpty())
        return;
    if (QIODevice* device = m_out.device()) {
        // Whatever the stream still holds goes first.
        m_out.flush();
        device->write(m_buffer);
    } else {
        m_out << QString::fromUtf8(m_buffer);
    }
    m_buffer.clear();
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
        m_buffer += ',';
    m_open.last() = true;
    newLine();
}

void JsonStream::close(char bracket)
{
    const bool hadMembers = m_open.takeLast();
    if (hadMembers)
        newLine();
    m_buffer += bracket;
    if (m_open.isEmpty()) {
        m_buffer += '\n';
        flush();
    }
}

void JsonStream::newLine()
{
    m_buffer += '\n';
    m_buffer.append(2 * m_open.size(), ' ');
}

// The escapes of JsonText::quoted, written from the text's own characters: a run of plain ASCII,
// nearly every path whole, is copied in one go, and only other characters are encoded.
void JsonStream::quoted(QStringView text)
{
    static constexpr char hex[] = "0123456789abcdef";
    const auto isPlain
        = [](char16_t c) { return c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\'; };
    m_buffer += '"';
    qsizetype i = 0;
    while (i < text.size()) {
        const char16_t c = text[i].unicode();
        if (isPlain(c)) {
            qsizetype end = i + 1;
            while (end < text.size() && isPlain(text[end].unicode()))
                ++end;
            const qsizetype at = m_buffer.size();
            m_buffer.resize(at + (end - i));
            std::transform(text.begin() + i, text.begin() + end, m_buffer.begin() + at,
                [](QChar plain) { return char(plain.unicode()); });
            i = end;
            continue;
        }
        if (c >= 0x80) {
            qsizetype end = i + 1;
            while (end < text.size() && text[end].unicode() >= 0x80)
                ++end;
            m_buffer += text.sliced(i, end - i).toUtf8();
            i = end;
            continue;
        }
        switch (c) {
        case u'"': m_buffer += "\\\""; break;
        case u'\\': m_buffer += "\\\\"; break;
        case u'\b': m_buffer += "\\b"; break;
        case u'\f': m_buffer += "\\f"; break;
        case u'\n': m_buffer += "\\n"; break;
        case u'\r': m_buffer += "\\r"; break;
        case u'\t': m_buffer += "\\t"; break;
        default:
            const char escape[] = { '\\', 'u', '0', '0', hex[c >> 4], hex[c & 15] };
            m_buffer.append(escape, sizeof escape);
        }
        ++i;
    }
    m_buffer += '"';
}

void JsonStream::flushWhenFull()
{
    if (m_buffer.size() >= blockSize)
        flush();
}
