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

// The escapes of JsonText::quoted, written from the text's own characters in one pass straight
// into the buffer: nearly every path is plain ASCII, copied a character at a time, and only
// runs of other characters go through an encoder.
void JsonStream::quoted(QStringView text)
{
    static constexpr char hex[] = "0123456789abcdef";
    const qsizetype at = m_buffer.size();
    // Room for the worst case: every character escaped as \u00XX; UTF-8 takes at most three
    // bytes for each UTF-16 unit.
    m_buffer.resize(at + 2 + 6 * text.size());
    char* const start = m_buffer.data() + at;
    char* out = start;
    *out++ = '"';
    for (qsizetype i = 0; i < text.size();) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            qsizetype end = i + 1;
            while (end < text.size() && text[end].unicode() >= 0x80)
                ++end;
            const QByteArray utf8 = text.sliced(i, end - i).toUtf8();
            out = std::copy(utf8.begin(), utf8.end(), out);
            i = end;
            continue;
        }
        ++i;
        if (c >= 0x20 && c != u'"' && c != u'\\') {
            *out++ = char(c);
            continue;
        }
        *out++ = '\\';
        switch (c) {
        case u'"':
            *out++ = '"';
            break;
        case u'\\':
            *out++ = '\\';
            break;
        case u'\b':
            *out++ = 'b';
            break;
        case u'\f':
            *out++ = 'f';
            break;
        case u'\n':
            *out++ = 'n';
            break;
        case u'\r':
            *out++ = 'r';
            break;
        case u'\t':
            *out++ = 't';
            break;
        default:
            for (char escaped : { 'u', '0', '0', hex[c >> 4], hex[c & 15] })
                *out++ = escaped;
        }
    }
    *out++ = '"';
    m_buffer.resize(at + (out - start));
}

void JsonStream::flushWhenFull()
{
    if (m_buffer.size() >= blockSize)
        flush();
}
