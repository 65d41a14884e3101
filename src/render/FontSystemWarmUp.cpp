#include "FontSystemWarmUp.h"

#include <fontconfig/fontconfig.h>

FontSystemWarmUp::FontSystemWarmUp() : mThread([] { FcInit(); }) {}

FontSystemWarmUp::~FontSystemWarmUp()
{
    mThread.join();
}
