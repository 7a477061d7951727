#include "Exiv2Setup.h"

#include <exiv2/exiv2.hpp>
#include <mutex>

namespace {

std::mutex xmpNamespaceMutex;

void lockXmpNamespaces(void* mutex, bool lock)
{
    if (lock)
        static_cast<std::mutex*>(mutex)->lock();
    else
        static_cast<std::mutex*>(mutex)->unlock();
}

} // namespace

namespace Exiv2Setup {

void ensureReady()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The application writes no diagnostic log, and a damaged file is not worth a line on
        // the terminal: it simply gives no stamp.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::enableBMFF(true);
        // Reading a file with an XMP packet would otherwise start the toolkit lazily, racing
        // any other thread doing the same.
        Exiv2::XmpParser::initialize(lockXmpNamespaces, &xmpNamespaceMutex);
    });
}

} // namespace Exiv2Setup
