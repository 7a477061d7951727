#pragma once

#include <QString>

// Texts from the file system, made safe to print: a file name may hold escape sequences,
// carriage returns or bidirectional overrides that would redraw the terminal or make one name
// look like another.
namespace TerminalText {

// `text` with every control character spelled out: \t, \n and \r by their usual escapes, other
// C0 and C1 controls and DEL as \xHH, and the bidirectional and line-separating format
// characters as \uHHHH. Anything else, backslashes included, is left as it is.
QString escaped(const QString& text);

} // namespace TerminalText
