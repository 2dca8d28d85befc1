#include "vindle/componentservices.h"

#include "vindle/qtbrowserhost.h"
#include "vindle/qticonextractor.h"

namespace vindle
{

ComponentServices componentServices()
{
    static QtIconExtractor icons;
    static QtBrowserHost browser;
    return {icons, browser};
}

} // namespace vindle
