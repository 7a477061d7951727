#pragma once

// Library-wide settings of the metadata library, made once before its first use.
namespace Exiv2Setup {

// Enables the ISO base media formats (CR3, HEIC), silences the library's own messages on
// stderr and starts its XMP toolkit, whose start-up is not safe to race. Safe to call from any
// thread, as often as wanted.
void ensureReady();

} // namespace Exiv2Setup
